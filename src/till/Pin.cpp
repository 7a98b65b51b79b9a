#include "till/Pin.h"

#include <QString>

#include <sodium.h>

#include <algorithm>

namespace tallivor {
namespace {

constexpr qsizetype shortestPin = 4;
constexpr qsizetype shortestOwnerPin = 6;
constexpr qsizetype longestPin = 12;

// libsodium picks its fastest code for this processor and seeds its random numbers once; it may be asked from any
// thread, and C++ runs a static's initializer once.
bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// A character of any of the views a QAnyStringView holds (Latin-1, UTF-8 or UTF-16).
template <typename Char>
bool isDigit(Char c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool isPin(QAnyStringView text, Role role)
{
    const qsizetype shortest = role == Role::Owner ? shortestOwnerPin : shortestPin;
    return text.visit([shortest](auto view) {
        return view.size() >= shortest && view.size() <= longestPin &&
               std::all_of(view.begin(), view.end(), [](auto c) { return isDigit(c); });
    });
}

QByteArray hashPin(PinBytes pin)
{
    const PinWipe wipe(pin);
    if (!sodiumReady())
        return {};
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, pin.data(), pin.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QByteArray(hash);
}

bool pinMatches(QByteArrayView hash, PinBytes pin)
{
    const PinWipe wipe(pin);
    if (!isPinHash(hash))
        return false;
    // libsodium reads the hash up to its terminating zero, which a view need not have.
    const QByteArray text = hash.toByteArray();
    return crypto_pwhash_str_verify(text.constData(), pin.data(), pin.size()) == 0;
}

bool isPinHash(QByteArrayView hash)
{
    // libsodium stops at a zero byte, and would take what stands before one for the whole hash.
    if (hash.contains('\0') || !sodiumReady())
        return false;
    // It answers -1 for a text that is no well-formed Argon2id string (an Argon2i one too), whatever limits it is
    // asked about.
    const QByteArray text = hash.toByteArray();
    return crypto_pwhash_argon2id_str_needs_rehash(text.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                                   crypto_pwhash_MEMLIMIT_INTERACTIVE) >= 0;
}

PinWipe::~PinWipe()
{
    sodium_memzero(m_pin.data(), m_pin.size());
}

} // namespace tallivor
