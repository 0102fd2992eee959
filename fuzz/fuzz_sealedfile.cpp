// The sealed file reader on any bytes: whatever opens seals and opens again
// equal; any bytes sealed open back to themselves, and only at their own
// place, whole and unaltered.
#include "fuzzsupport.h"
#include "storage/seal.h"

using namespace Qt::StringLiterals;

namespace {

// A fixed key, not a random one: the sealed files in the corpus open under it
// and a finding replays.
const seal::DataKey& fixedKey() {
    static const seal::Key key = [] {
        QByteArray bytes(seal::KeySize, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            bytes[i] = char(i);
        }
        fuzzing::require(seal::initialize(), "libsodium starts");
        seal::Key made = seal::DataKey::fromBytes(bytes);
        fuzzing::require(made != nullptr, "the fixed key is made");
        return made;
    }();
    return *key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const seal::DataKey& key = fixedKey();
    const QString place = u"2010/01.log"_s;

    const std::optional<QByteArray> opened = seal::openData(bytes, key, place);
    if (opened) {
        const QByteArray again = seal::sealData(*opened, key, place);
        fuzzing::require(seal::openData(again, key, place) == opened, "what opens seals again");
    }

    const QByteArray sealed = seal::sealData(bytes, key, place);
    fuzzing::require(sealed.size() == seal::HeaderSize + bytes.size() + seal::TagSize,
                     "a sealed file is header, bytes and tag");
    fuzzing::require(seal::isSealed(sealed), "a sealed file starts with the magic");
    fuzzing::require(seal::openData(sealed, key, place) == bytes, "sealed bytes open equal");
    fuzzing::require(!seal::openData(sealed, key, u"2010/02.log"_s), "a moved file stays shut");

    // One byte altered, at a place and by a value the input chooses.
    QByteArray altered = sealed;
    const qsizetype at = qsizetype((size * 31 + (size > 0 ? data[0] : 0)) % size_t(sealed.size()));
    altered[at] = char(altered[at] ^ (size > 0 ? data[size - 1] | 1 : 1));
    fuzzing::require(!seal::openData(altered, key, place), "an altered file stays shut");
    fuzzing::require(!seal::openData(sealed.chopped(1 + qsizetype(size % 16)), key, place),
                     "a truncated file stays shut");
    return 0;
}
