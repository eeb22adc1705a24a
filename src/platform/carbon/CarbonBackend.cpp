#include "platform/carbon/CarbonBackend.h"

#include "platform/carbon/backend/SdlBackend.h"

namespace {

std::unique_ptr<CarbonBackend> sBackend;

}  // namespace

void SetCarbonBackend(std::unique_ptr<CarbonBackend> theBackend) { sBackend = std::move(theBackend); }

CarbonBackend& GetCarbonBackend() {
  if (!sBackend) sBackend = std::make_unique<SdlBackend>();
  return *sBackend;
}
