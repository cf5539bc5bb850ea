#include "store/envelope_settings.h"

#include "config/settings.h"
#include "crypto/data_envelope.h"

namespace {

CY_OPTIONS FromSettings() {
    return CY_OPTIONS{Settings.CryptAlgo, Settings.LogCryptedFiles};
}

} // namespace

void SW_UseSettingsForEnvelopes() {
    CY_SetOptionsSource(FromSettings);
}
