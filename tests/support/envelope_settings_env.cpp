// Every test runs with the envelopes following the settings, as the programs do.
#include "store/envelope_settings.h"

#include <gtest/gtest.h>

namespace {

struct EnvelopeSettings : ::testing::Environment {
    void SetUp() override { SW_UseSettingsForEnvelopes(); }
};

const auto *const installed = ::testing::AddGlobalTestEnvironment(new EnvelopeSettings);

} // namespace
