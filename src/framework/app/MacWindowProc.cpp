#include "app/MacWindowProc.h"

#include "app/TeskAppBase.h"
#include "platform/carbon/CarbonCursor.h"
#include "platform/carbon/CarbonWindows.h"

const uint32_t TranslatedCodes[128] = {
    65,  83,  68,  70,  72,  71,  90,  88,   // 0-7: A S D F H G Z X
    67,  86,  0,   66,  81,  87,  69,  82,   // 8-15: C V - B Q W E R
    89,  84,  49,  50,  51,  52,  54,  53,   // 16-23: Y T 1 2 3 4 6 5
    61,  57,  55,  189, 56,  48,  221, 79,   // 24-31: = 9 7 - 8 0 ] O
    85,  219, 73,  80,  13,  76,  74,  222,  // 32-39: U [ I P Return L J '
    75,  186, 220, 188, 191, 78,  77,  190,  // 40-47: K ; \ , / N M .
    9,   32,  192, 8,   0,   27,  0,   164,  // 48-55: Tab Space ` Backspace - Escape - Command
    160, 20,  0,   162, 161, 0,   163, 0,    // 56-63: Shift CapsLock - Control RShift - RControl -
    0,   0,   0,   0,   0,   107, 0,   0,    // 64-71: keypad +
    0,   0,   0,   111, 13,  0,   109, 0,    // 72-79: keypad / Enter -
    0,   0,   96,  97,  98,  99,  100, 101,  // 80-87: keypad 0-5
    102, 103, 0,   104, 105, 0,   0,   0,    // 88-95: keypad 6 7 - 8 9
    116, 117, 118, 114, 119, 120, 0,   122,  // 96-103: F5 F6 F7 F3 F8 F9 - F11
    0,   0,   0,   0,   0,   121, 0,   123,  // 104-111: F10 F12
    0,   0,   0,   36,  33,  46,  115, 35,   // 112-119: Home PageUp Delete F4 End
    113, 34,  112, 37,  39,  40,  38,  0,    // 120-127: F2 PageDown F1 Left Right Down Up
};

bool g_AutoEnforceCursor = false;
bool g_CursorShouldBeVisible = true;
int g_UseCustomWindow = 1;
int g_UseWindowClass = kDocumentWindowClass;

namespace {

constexpr OSType k_Creator = MakeOSType("KWMR");
constexpr const char* k_CustomWindowClassID = "com.vesperscodex.gloamhollow.gamewindow";

const EventTypeSpec sMainWndEvents[20] = {
    {kEventClassWindow, kEventWindowBoundsChanged},
    {kEventClassWindow, kEventWindowDrawContent},
    {kEventClassWindow, kEventWindowClose},
    {kEventClassWindow, kEventWindowClosed},
    {kEventClassWindow, kEventWindowZoomed},
    {kEventClassWindow, kEventWindowShown},
    {kEventClassWindow, kEventWindowHidden},
    {kEventClassWindow, kEventWindowActivated},
    {kEventClassWindow, kEventWindowDeactivated},
    {kEventClassWindow, kEventWindowCollapsed},
    {kEventClassWindow, kEventWindowExpanded},
    {kEventClassMouse, kEventMouseDown},
    {kEventClassMouse, kEventMouseUp},
    {kEventClassMouse, kEventMouseMoved},
    {kEventClassMouse, kEventMouseDragged},
    {kEventClassMouse, kEventMouseWheelMoved},
    {kEventClassKeyboard, kEventRawKeyDown},
    {kEventClassKeyboard, kEventRawKeyUp},
    {kEventClassKeyboard, kEventRawKeyModifiersChanged},
    {kEventClassCommand, kEventCommandProcess},
};

const EventTypeSpec sAppEvents[5] = {
    {kEventClassApplication, kEventAppActivated}, {kEventClassApplication, kEventAppDeactivated},
    {kEventClassApplication, kEventAppQuit},      {kEventClassMouse, kEventMouseMoved},
    {kEventClassCommand, kEventCommandProcess},
};

bool sAppearanceRegistered = false;
bool sAppHandlerInstalled = false;

// The modifier state at the last modifier event.
bool wascmdKey = false;
bool wasshiftKey = false;
bool wasalphaLock = false;
bool wasoptionKey = false;
bool wascontrolKey = false;

TeskWindowProcPtr ProcOf(void* theUserData) { return reinterpret_cast<TeskWindowProcPtr>(theUserData); }

bool IsFrontProcess() {
  ProcessSerialNumber aCurrent;
  ProcessSerialNumber aFront;
  Boolean aSame = false;
  GetCurrentProcess(&aCurrent);
  GetFrontProcess(&aFront);
  SameProcess(&aCurrent, &aFront, &aSame);
  return aSame != 0;
}

// Hides the system cursor over the front window's content while the framework wants it hidden.
void EnforceCursorVisibility() {
  bool aShow = g_CursorShouldBeVisible;
  Point aMouse;
  GetGlobalMouse(&aMouse);
  WindowRef aFront = FrontNonFloatingWindow();
  Rect aContent;
  if (aFront == nullptr || GetWindowBounds(aFront, kWindowContentRgn, &aContent) != noErr ||
      aMouse.h < aContent.left || aMouse.h >= aContent.right || aMouse.v < aContent.top ||
      aMouse.v >= aContent.bottom) {
    aShow = true;
  }
  bool aVisible = CGCursorIsVisible() != 0;
  if (!aShow && aVisible) CGDisplayHideCursor(kCGDirectMainDisplay);
  if (aShow && !aVisible) CGDisplayShowCursor(kCGDirectMainDisplay);
}

WindowRef WindowParameter(EventRef theEvent, OSType theName) {
  WindowRef aWindow = nullptr;
  GetEventParameter(theEvent, theName, typeWindowRef, nullptr, sizeof(aWindow), nullptr, &aWindow);
  return aWindow;
}

int32_t SizeLParam(WindowRef theWindow) {
  Rect aBounds = {0, 0, 0, 0};
  GetWindowBounds(theWindow, kWindowContentRgn, &aBounds);
  return static_cast<int32_t>((static_cast<uint32_t>(aBounds.right - aBounds.left) & 0xFFFF) |
                              (static_cast<uint32_t>(aBounds.bottom - aBounds.top) << 16));
}

// Changes of the window's state reach the program when it is not the front one too: a window is
// minimised, hidden, shown and restored while another has the keyboard.
bool IsWindowStateEvent(UInt32 theKind) {
  return theKind == kEventWindowDeactivated || theKind == kEventWindowCollapsed ||
         theKind == kEventWindowExpanded || theKind == kEventWindowShown || theKind == kEventWindowHidden;
}

OSStatus HandleWindowEvent(TeskWindowProcPtr theProc, EventRef theEvent) {
  WindowRef aWindow = WindowParameter(theEvent, kEventParamDirectObject);
  switch (GetEventKind(theEvent)) {
    case kEventWindowDrawContent:
      return theProc(aWindow, WM_PAINT, 0, 0);
    case kEventWindowActivated:
      return theProc(aWindow, WM_ACTIVATE, 1, 0);
    case kEventWindowDeactivated:
      return theProc(aWindow, WM_ACTIVATE, 0, 0);
    case kEventWindowCollapsed:
      theProc(aWindow, WM_ACTIVATE, 0, 0);
      return theProc(aWindow, WM_SIZE, SIZE_MINIMIZED, SizeLParam(aWindow));
    case kEventWindowExpanded:
      return theProc(aWindow, WM_SIZE, SIZE_RESTORED, SizeLParam(aWindow));
    case kEventWindowShown:
      return theProc(aWindow, WM_SHOWWINDOW, 1, 0);
    case kEventWindowHidden:
      return theProc(aWindow, WM_SHOWWINDOW, 0, 0);
    case kEventWindowClose:
      return theProc(aWindow, WM_CLOSE, 0, 0);
    case kEventWindowClosed:
      return theProc(aWindow, WM_DESTROY, 0, 0);
    case kEventWindowZoomed:
      return theProc(aWindow, WM_SIZE, SIZE_MAXIMIZED, SizeLParam(aWindow));
    case kEventWindowBoundsChanged: {
      UInt32 anAttributes = 0;
      GetEventParameter(theEvent, kEventParamAttributes, typeUInt32, nullptr, sizeof(anAttributes), nullptr,
                        &anAttributes);
      if (anAttributes & kWindowBoundsChangeOriginChanged) {
        Rect aBounds = {0, 0, 0, 0};
        if (GetEventParameter(theEvent, kEventParamCurrentBounds, typeQDRectangle, nullptr, sizeof(aBounds),
                              nullptr, &aBounds) != noErr) {
          GetWindowBounds(aWindow, kWindowContentRgn, &aBounds);
        }
        // The rectangle's first two fields; the receiver reads the bounds itself.
        int32_t aLParam =
            static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(aBounds.top))) |
                                 (static_cast<uint32_t>(static_cast<uint16_t>(aBounds.left)) << 16));
        return theProc(aWindow, WM_MOVE, 0, aLParam);
      }
      if (anAttributes & kWindowBoundsChangeSizeChanged)
        return theProc(aWindow, WM_SIZE, 0, SizeLParam(aWindow));
      return eventNotHandledErr;
    }
    default:
      return eventNotHandledErr;
  }
}

OSStatus HandleMouseEvent(TeskWindowProcPtr theProc, EventRef theEvent) {
  WindowRef aWindow = WindowParameter(theEvent, kEventParamWindowRef);
  HIPoint aWhere = {0, 0};
  GetEventParameter(theEvent, kEventParamWindowMouseLocation, typeHIPoint, nullptr, sizeof(aWhere), nullptr,
                    &aWhere);
  Rect aContent = {0, 0, 0, 0};
  Rect aStructure = {0, 0, 0, 0};
  GetWindowBounds(aWindow, kWindowContentRgn, &aContent);
  GetWindowBounds(aWindow, kWindowStructureRgn, &aStructure);
  float aY = aWhere.y - static_cast<float>(aContent.top - aStructure.top);
  // The title bar belongs to the system.
  if (aY < 0.0f) return eventNotHandledErr;
  const int32_t aLParam = MakeMouseLParam(static_cast<int>(aWhere.x), static_cast<int>(aY));

  UInt32 aModifiers = 0;
  GetEventParameter(theEvent, kEventParamKeyModifiers, typeUInt32, nullptr, sizeof(aModifiers), nullptr,
                    &aModifiers);
  uint32_t aWParam = 0;
  if (aModifiers & controlKey) aWParam |= MK_CONTROL;
  if (aModifiers & shiftKey) aWParam |= MK_SHIFT;

  const UInt32 aKind = GetEventKind(theEvent);
  bool aRight = false;
  if (aKind != kEventMouseWheelMoved) {
    EventMouseButton aButton = 0;
    GetEventParameter(theEvent, kEventParamMouseButton, typeMouseButton, nullptr, sizeof(aButton), nullptr,
                      &aButton);
    aRight = aButton == kEventMouseButtonSecondary || aButton == kEventMouseButtonTertiary ||
             (aButton == kEventMouseButtonPrimary && (aModifiers & controlKey) != 0);
  }
  switch (aKind) {
    case kEventMouseDown: {
      UInt32 aClicks = 0;
      GetEventParameter(theEvent, kEventParamClickCount, typeUInt32, nullptr, sizeof(aClicks), nullptr,
                        &aClicks);
      bool aDouble = aClicks >= 2;
      if (aRight)
        return theProc(aWindow, aDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN, aWParam | MK_RBUTTON, aLParam);
      return theProc(aWindow, aDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, aWParam | MK_LBUTTON, aLParam);
    }
    case kEventMouseUp:
      return theProc(aWindow, aRight ? WM_RBUTTONUP : WM_LBUTTONUP, aWParam, aLParam);
    case kEventMouseMoved:
    case kEventMouseDragged:
      return theProc(aWindow, WM_MOUSEMOVE, aWParam, aLParam);
    case kEventMouseWheelMoved: {
      SInt32 aDelta = 0;
      GetEventParameter(theEvent, kEventParamMouseWheelDelta, typeSInt32, nullptr, sizeof(aDelta), nullptr,
                        &aDelta);
      aWParam |= static_cast<uint32_t>(static_cast<uint16_t>(aDelta * 120)) << 16;
      return theProc(aWindow, WM_MOUSEWHEEL, aWParam, aLParam);
    }
    default:
      return eventNotHandledErr;
  }
}

void DiffModifier(TeskWindowProcPtr theProc, UInt32 theModifiers, UInt32 theBit, bool& wasDown,
                  uint32_t theKey) {
  bool aDown = (theModifiers & theBit) != 0;
  if (aDown && !wasDown) theProc(nullptr, WM_KEYDOWN, theKey, 0);
  if (!aDown && wasDown) theProc(nullptr, WM_KEYUP, theKey, 0);
  wasDown = aDown;
}

OSStatus HandleKeyboardEvent(TeskWindowProcPtr theProc, EventRef theEvent) {
  char aChar = 0;
  UInt32 aCode = 0;
  GetEventParameter(theEvent, kEventParamKeyMacCharCodes, typeChar, nullptr, sizeof(aChar), nullptr, &aChar);
  GetEventParameter(theEvent, kEventParamKeyCode, typeUInt32, nullptr, sizeof(aCode), nullptr, &aCode);
  switch (GetEventKind(theEvent)) {
    case kEventRawKeyDown:
      theProc(nullptr, WM_KEYDOWN, TranslateMacKeyCode(aCode), 0);
      theProc(nullptr, WM_CHAR, static_cast<unsigned char>(aChar), 0);
      break;
    case kEventRawKeyUp:
      theProc(nullptr, WM_KEYUP, TranslateMacKeyCode(aCode), 0);
      break;
    case kEventRawKeyModifiersChanged: {
      UInt32 aModifiers = 0;
      GetEventParameter(theEvent, kEventParamKeyModifiers, typeUInt32, nullptr, sizeof(aModifiers), nullptr,
                        &aModifiers);
      DiffModifier(theProc, aModifiers, cmdKey, wascmdKey, 18);
      DiffModifier(theProc, aModifiers, shiftKey, wasshiftKey, 16);
      DiffModifier(theProc, aModifiers, alphaLock, wasalphaLock, 20);
      DiffModifier(theProc, aModifiers, optionKey, wasoptionKey, 18);
      DiffModifier(theProc, aModifiers, controlKey, wascontrolKey, 17);
      break;
    }
    default:
      break;
  }
  // Menu shortcuts still need the key.
  return eventNotHandledErr;
}

HICommand CommandOf(EventRef theEvent) {
  HICommand aCommand = {0, 0, {0, 0}};
  GetEventParameter(theEvent, kEventParamDirectObject, typeHICommand, nullptr, sizeof(aCommand), nullptr,
                    &aCommand);
  return aCommand;
}

}  // namespace

uint32_t TranslateMacKeyCode(uint32_t theMacKeyCode) {
  return theMacKeyCode < 128 ? TranslatedCodes[theMacKeyCode] : 0;
}

void SetAutoEnforceCursor(bool on) {
  g_AutoEnforceCursor = on;
  if (!on) ShowCursor(true);
}

void ShowCursor(bool visible) { g_CursorShouldBeVisible = visible; }

OSStatus GameWndProc(EventHandlerCallRef, EventRef theEvent, void* theUserData) {
  const UInt32 aClass = GetEventClass(theEvent);
  if (!IsFrontProcess() && !(aClass == kEventClassWindow && IsWindowStateEvent(GetEventKind(theEvent)))) {
    return eventNotHandledErr;
  }
  if (g_AutoEnforceCursor) EnforceCursorVisibility();
  TeskWindowProcPtr aProc = ProcOf(theUserData);
  if (aClass == kEventClassWindow) return HandleWindowEvent(aProc, theEvent);
  if (aClass == kEventClassMouse) return HandleMouseEvent(aProc, theEvent);
  if (aClass == kEventClassKeyboard) return HandleKeyboardEvent(aProc, theEvent);
  // Commands (the developer command 'KWMS' included: with no debugger there is nothing to stop) go on.
  return eventNotHandledErr;
}

OSStatus GameAppProc(EventHandlerCallRef, EventRef theEvent, void* theUserData) {
  if (g_AutoEnforceCursor && IsFrontProcess()) EnforceCursorVisibility();
  TeskWindowProcPtr aProc = ProcOf(theUserData);
  const UInt32 aClass = GetEventClass(theEvent);
  const UInt32 aKind = GetEventKind(theEvent);
  if (aClass == kEventClassApplication) {
    if (aKind == kEventAppActivated) return aProc(nullptr, WM_ACTIVATEAPP, 1, 0);
    if (aKind == kEventAppDeactivated) return aProc(nullptr, WM_ACTIVATEAPP, 0, 0);
    if (aKind == kEventAppQuit) aProc(nullptr, WM_QUIT, 0, 0);
    return eventNotHandledErr;
  }
  if (aClass == kEventClassCommand && aKind == kEventCommandProcess) {
    HICommand aCommand = CommandOf(theEvent);
    if (aCommand.commandID == k_Creator) {
      // A message in a command: the frame timer and SendMessage travel this way.
      return aProc(WindowParameter(theEvent, kEventParamWindowRef), aCommand.attributes,
                   aCommand.menu.menuRef, static_cast<int32_t>(aCommand.menu.menuItemIndex));
    }
  }
  return eventNotHandledErr;
}

bool MacCreateWindow(int x, int y, int width, int height, const char* title, TeskWindowProcPtr windowProc,
                     void*, WindowRef* outWindow) {
  // The menu bar would come from the bundle's nib; this platform has none, so it is skipped.
  *outWindow = nullptr;
  Rect aBounds = {static_cast<int16_t>(y), static_cast<int16_t>(x), static_cast<int16_t>(y + height),
                  static_cast<int16_t>(x + width)};
  WindowRef aWindow = nullptr;
  OSStatus aStatus;
  if (g_UseCustomWindow) {
    if (!sAppearanceRegistered) {
      RegisterAppearanceClient();
      sAppearanceRegistered = true;
    }
    const WindowDefSpec aSpec = {kWindowDefObjectClass, k_CustomWindowClassID};
    aStatus = CreateCustomWindow(
        &aSpec, kDocumentWindowClass,
        kWindowCloseBoxAttribute | kWindowCollapseBoxAttribute | kWindowStandardHandlerAttribute, &aBounds,
        &aWindow);
  } else {
    WindowAttributes anAttributes =
        static_cast<WindowClass>(g_UseWindowClass) == kPlainWindowClass
            ? kWindowStandardHandlerAttribute
            : kWindowCloseBoxAttribute | kWindowCollapseBoxAttribute | kWindowStandardHandlerAttribute;
    aStatus = CreateNewWindow(static_cast<WindowClass>(g_UseWindowClass), anAttributes, &aBounds, &aWindow);
  }
  // No window is a failure the caller must hear about.
  if (aStatus != noErr || aWindow == nullptr) return false;

  UInt32 aTransparent = 0;
  SetWindowProperty(aWindow, k_Creator, MakeOSType("TRNS"), sizeof(aTransparent), &aTransparent);
  void* aData = reinterpret_cast<void*>(windowProc);
  InstallEventHandler(GetWindowEventTarget(aWindow), GameWndProc, 20, sMainWndEvents, aData, nullptr);
  if (!sAppHandlerInstalled) {
    InstallEventHandler(GetApplicationEventTarget(), GameAppProc, 5, sAppEvents, aData, nullptr);
    sAppHandlerInstalled = true;
  }
  SetWindowTitleWithCString(aWindow, title != nullptr ? title : "");
  *outWindow = aWindow;
  // The creation record's address would not fit the 32-bit lParam, and nothing reads it.
  windowProc(aWindow, WM_CREATE, 0, 0);
  return true;
}

OSErr HandleQuitApplication(const AppleEvent*, AppleEvent*, SRefCon theRefcon) {
  static bool sQuitting = false;
  if (sQuitting) ExitToShell();
  sQuitting = true;
  reinterpret_cast<Tesk::TeskAppBase*>(theRefcon)->Shutdown();
  return noErr;
}
