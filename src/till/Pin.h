#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace tallivor {

// What one who takes the money may do: an owner also keeps the operators list.
enum class Role
{
    Owner,
    Operator,
};

// The digits of a PIN, in a buffer of the caller's. Every function that takes one wipes it before returning, so the
// PIN lives only as long as it takes to hash or check it; a QByteArray converts to it (make it the PIN's only copy:
// a shared one is copied on writing and the other copy is left).
using PinBytes = std::span<char>;

// Whether the text is a PIN for the role: 4 to 12 digits 0-9 (what the keypad types), an owner's at least 6.
bool isPin(QAnyStringView text, Role role);

// The PIN's Argon2id hash as libsodium's crypto_pwhash_str writes it, at the interactive limits (a tenth of a second,
// 64 MiB); empty when libsodium could not make one (out of memory). pin is wiped.
QByteArray hashPin(PinBytes pin);

// Whether pin is the one hash was made of, compared in constant time; false for a hash that is not a libsodium
// Argon2id string. pin is wiped.
bool pinMatches(QByteArrayView hash, PinBytes pin);

// Whether the text is a libsodium Argon2id hash string ("$argon2id$v=19$m=...,t=...,p=...$salt$hash"), the only kind
// of hash the operators list takes.
bool isPinHash(QByteArrayView hash);

// Wipes a PIN's bytes (sodium_memzero, which the compiler does not leave out) when it goes out of scope: however a
// function that took a PIN returns, refused or not, the PIN is gone.
class PinWipe
{
public:
    explicit PinWipe(PinBytes pin) : m_pin(pin) {}
    ~PinWipe();
    PinWipe(const PinWipe&) = delete;
    PinWipe& operator=(const PinWipe&) = delete;

private:
    PinBytes m_pin;
};

} // namespace tallivor
