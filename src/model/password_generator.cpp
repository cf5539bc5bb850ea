#include "model/password_generator.h"

#include "platform/platform.h"

#include <gcrypt.h>

#include <cstring>

namespace {
const char kAlphabet[] = PWGEN_ALPHABET;
// Characters are chosen by a number modulo 58, so the alphabet's last digit,
// its 59th character, never appears; passwords stay what users of the program
// have always been given.
const uint32_t kCount = 58;

// A uniform number below kCount: draws from the top incomplete range of 32-bit
// values are thrown away so that no character is more likely than another.
uint32_t Uniform() {
    const uint32_t limit = UINT32_MAX - (UINT32_MAX % kCount + 1) % kCount;
    for (;;) {
        uint32_t r;
        gcry_randomize(&r, sizeof r, GCRY_STRONG_RANDOM);
        if (r <= limit)
            return r % kCount;
    }
}
} // namespace

void SW_GeneratePassword(char *output, uint32_t length) {
    char work[PWGEN_MAX + 1];
    memset(work, 0, sizeof work);
    if (length > PWGEN_MAX)
        length = PWGEN_MAX;
    for (uint32_t i = 0; i < length; ++i)
        work[i] = kAlphabet[Uniform()];
    memcpy(output, work, length + 1);
    PL_SecureZero(work, sizeof work);
}
