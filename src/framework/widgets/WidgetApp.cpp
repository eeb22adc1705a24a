#include "widgets/WidgetApp.h"

namespace Tesk {

WidgetApp* gWidgetApp = nullptr;

}  // namespace Tesk
