#include "util/Zeilenpuffer.h"

#include <algorithm>
#include <cstring>

namespace {
// Large enough that a block is a handful of the allocator's pages, small enough that the last,
// partly filled one costs little.
constexpr std::uint32_t kBlockGroesse = 256 * 1024;

// Each UTF-16 unit in one to three bytes (a surrogate pair in four), in the manner of UTF-8. A
// lone surrogate, which a file name may hold, is kept as its own three bytes: the line reads
// back exactly as it was added.
size_t Kodieren(const String& zeile, char* ziel) {
    auto* z = reinterpret_cast<unsigned char*>(ziel);
    size_t n = 0;
    for (size_t i = 0; i < zeile.size(); ++i) {
        std::uint32_t c = static_cast<std::uint16_t>(zeile[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < zeile.size()) {
            std::uint32_t d = static_cast<std::uint16_t>(zeile[i + 1]);
            if (d >= 0xDC00 && d < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            z[n++] = static_cast<unsigned char>(c);
        } else if (c < 0x800) {
            z[n++] = static_cast<unsigned char>(0xC0 | (c >> 6));
            z[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            z[n++] = static_cast<unsigned char>(0xE0 | (c >> 12));
            z[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            z[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else {
            z[n++] = static_cast<unsigned char>(0xF0 | (c >> 18));
            z[n++] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
            z[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            z[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
    }
    return n;
}

// Decodes what Kodieren wrote; with `ziel` null it only counts the UTF-16 units.
int Dekodieren(const char* quelle, std::uint32_t laenge, wchar_t* ziel, int platz) {
    const auto* q = reinterpret_cast<const unsigned char*>(quelle);
    int n = 0;
    for (std::uint32_t i = 0; i < laenge;) {
        std::uint32_t c = q[i];
        if (c < 0x80) {
            i += 1;
        } else if (c < 0xE0) {
            c = ((c & 0x1F) << 6) | (q[i + 1] & 0x3F);
            i += 2;
        } else if (c < 0xF0) {
            c = ((c & 0x0F) << 12) | ((q[i + 1] & 0x3F) << 6) | (q[i + 2] & 0x3F);
            i += 3;
        } else {
            c = ((c & 0x07) << 18) | ((q[i + 1] & 0x3F) << 12) | ((q[i + 2] & 0x3F) << 6) | (q[i + 3] & 0x3F);
            i += 4;
        }
        const int einheiten = c >= 0x10000 ? 2 : 1;
        if (ziel) {
            if (n + einheiten > platz) break;
            if (einheiten == 2) {
                ziel[n] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
                ziel[n + 1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                ziel[n] = static_cast<wchar_t>(c);
            }
        }
        n += einheiten;
    }
    return n;
}
} // namespace

std::uint32_t TZeilenpuffer::Ende(size_t index) const {
    const Eintrag& e = zeilen_[index];
    if (index + 1 < zeilen_.size() && zeilen_[index + 1].block == e.block) return zeilen_[index + 1].anfang;
    return bloecke_[e.block].belegt;
}

void TZeilenpuffer::Anhaengen(const String& zeile) {
    const size_t hoechstens = zeile.size() * 3;
    if (bloecke_.empty() || bloecke_.back().groesse - bloecke_.back().belegt < hoechstens) {
        Block b;
        b.groesse = static_cast<std::uint32_t>(std::max<size_t>(kBlockGroesse, hoechstens));
        b.daten.reset(new char[b.groesse]);
        bloecke_.push_back(std::move(b));
    }
    Block& b = bloecke_.back();
    zeilen_.push_back({static_cast<std::uint32_t>(bloecke_.size() - 1), b.belegt});
    b.belegt += static_cast<std::uint32_t>(Kodieren(zeile, b.daten.get() + b.belegt));
}

int TZeilenpuffer::ZeileLesen(int index, wchar_t* ziel, int platz) const {
    if (platz <= 0) return 0;
    const Eintrag& e = zeilen_[static_cast<size_t>(index)];
    int n = Dekodieren(bloecke_[e.block].daten.get() + e.anfang, Ende(static_cast<size_t>(index)) - e.anfang,
                       ziel, platz - 1);
    ziel[n] = L'\0';
    return n;
}

int TZeilenpuffer::Laenge(int index) const {
    const Eintrag& e = zeilen_[static_cast<size_t>(index)];
    return Dekodieren(bloecke_[e.block].daten.get() + e.anfang, Ende(static_cast<size_t>(index)) - e.anfang,
                      nullptr, 0);
}

String TZeilenpuffer::Zeile(int index) const {
    String s(static_cast<size_t>(Laenge(index)) + 1, L'\0');
    s.resize(static_cast<size_t>(ZeileLesen(index, s.data(), static_cast<int>(s.size()))));
    return s;
}

void TZeilenpuffer::Leeren() {
    std::vector<Block>().swap(bloecke_);
    std::vector<Eintrag>().swap(zeilen_);
}

size_t TZeilenpuffer::Bytes() const {
    size_t n = zeilen_.capacity() * sizeof(Eintrag);
    for (const Block& b : bloecke_)
        n += b.groesse;
    return n;
}
