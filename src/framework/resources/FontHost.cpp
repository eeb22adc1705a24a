#include "resources/FontHost.h"

namespace Tesk {

int FontHost::s_languageUsing = 0;

}  // namespace Tesk
