// Random passwords for a new safe or a new safe password ("Automatic").
#pragma once

#include <cstdint>

#define PWGEN_ALPHABET "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ0123456789"
#define PWGEN_MAX 99 // longest password made

// Writes a password of `length` characters (at most 99) and its zero into
// output, which holds at least length + 1 characters. Every character is drawn
// uniformly from the alphabet with the strong random source, so two passwords
// made in the same second differ and none follows from the time.
void SW_GeneratePassword(char *output, uint32_t length);
