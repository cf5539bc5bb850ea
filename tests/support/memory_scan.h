// Looks for secrets in this process's own memory as a reader of a memory dump
// would: every committed, readable page, each secret in ANSI and in UTF-16LE.
// The secrets are random and live in one region of their own, which the scan
// passes over with its read buffer, so the test holds no other copy of them.
// They reach that region from a sample made by another process (its safe file
// and the secrets themselves), so no builder's leftovers are counted either.
#pragma once

#include <cstddef>
#include <string>

namespace testsupport {

// The sample's secrets, by their place in the sample.
enum SecretIndex {
    SECRET_PASSWORD,  // the safe's password
    SECRET_VALUE,     // a card's field value
    SECRET_NOTE,      // a note's text
    SECRET_CARD,      // a card's name
    SECRET_CHANGED,   // the password the safe is changed to
    SECRET_CREATED,   // the password of a safe created anew
    SECRET_COUNT
};
constexpr size_t kSecretLength = 16;

struct SecretCount {
    size_t ansi = 0, wide = 0;
    size_t total() const { return ansi + wide; }
};

class SecretScan {
  public:
    SecretScan();
    ~SecretScan(); // wipes the secrets
    SecretScan(const SecretScan &) = delete;
    SecretScan &operator=(const SecretScan &) = delete;

    // Makes the sample in dir in a process of its own: "secret.saf" holding the
    // first four secrets, and "other.saf" (password "other") holding none. Then
    // takes the secrets over and removes the file that carried them.
    bool MakeSample(const std::string &dir);
    // A secret (kSecretLength characters and a zero), inside the region.
    const char *Secret(int index) const;
    // Counts every secret's copies outside the region.
    void Scan(SecretCount (&found)[SECRET_COUNT]) const;

  private:
    char *region = nullptr;
};

// What the process apart runs: writes the sample and its secrets into dir.
void WriteSecretSample(const std::string &dir);
// The environment variable that names the sample's folder to that process.
constexpr const char kSampleVariable[] = "ORV_SECRET_SAMPLE";

} // namespace testsupport
