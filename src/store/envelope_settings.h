// The envelopes follow the settings: CryptAlgo chooses the cipher of every new
// envelope, LogCryptedFiles whether encrypted files go to the crypt log. Read at
// the moment of each envelope, so a changed setting counts from the next one.
#pragma once

void SW_UseSettingsForEnvelopes();
