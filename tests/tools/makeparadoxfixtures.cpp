// Writes the Paradox tables of the previous version that the table reader's tests read: a set
// of version 4 (every table the conversion reads, with the later unit fields and the split type)
// and one of version 3 (the two tables whose layout differs, under upper-case names), both
// protected by the password "wolkenband", with cp1252 texts, memo texts in the blob files and
// a small picture. pxlib writes the tables; the blob files are written here, because the
// library's own blob writing does not produce what it reads back. The version 4 set keeps its
// blob files encrypted, as the desktop database engine does; the version 3 set keeps them plain,
// as pxlib leaves them.
//
// Usage: make_paradox_fixtures <folder>   (writes <folder>/v4 and <folder>/v3)
#include <cctype>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

extern "C" {
#include <paradox.h>
}
#include "platform/office/paradox/pxlibcrypt.h"

namespace {

struct Blob {
    std::string bytes;
    bool graphic = false;
};
using Cell = std::variant<std::monostate, long, double, std::string, Blob>;

struct Field {
    const char* name;
    char type;
    int size;
};

void put16(std::string& s, size_t at, unsigned v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8 & 0xFF);
}

void put32(std::string& s, size_t at, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = char(v >> (8 * i) & 0xFF);
}

// The blob file: a header block, blocks of their own (type 2) for large values and a shared
// block (type 3) for small ones.
class BlobFile {
public:
    BlobFile() : bytes_(4096, '\0') { put16(bytes_, 1, 1); }

    // Returns the offset word of the value's field pointer.
    unsigned long add(const std::string& value, unsigned modification)
    {
        if (value.size() > 1024)
            return single(value, modification);
        if (shared_ == 0 || entries_ == 64 || next_ + value.size() > 4096) {
            shared_ = bytes_.size();
            bytes_.append(4096, '\0');
            bytes_[shared_] = 3;
            put16(bytes_, shared_ + 1, 1);
            entries_ = 0;
            next_ = 336;  // after the 12-byte head and 64 entries of five bytes, 16-aligned
        }
        const size_t entry = shared_ + 12 + entries_ * 5;
        bytes_[entry] = char(next_ / 16);
        bytes_[entry + 1] = char((value.size() + 15) / 16);
        put16(bytes_, entry + 2, modification);
        bytes_[entry + 4] = char(value.size() % 16);
        bytes_.replace(shared_ + next_, value.size(), value);
        next_ += (value.size() + 15) / 16 * 16;
        return shared_ | entries_++;
    }

    void write(const std::string& file, unsigned long encryption)
    {
        std::string out = bytes_;
        if (encryption != 0)
            for (size_t at = 0; at < out.size(); at += 4096) {
                unsigned char plain[4096];
                std::memcpy(plain, out.data() + at, 4096);
                px_encrypt_mb_block(plain, reinterpret_cast<unsigned char*>(out.data() + at), encryption, 4096);
            }
        FILE* f = std::fopen(file.c_str(), "wb");
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }

private:
    unsigned long single(const std::string& value, unsigned modification)
    {
        const size_t at = bytes_.size();
        const size_t chunks = (9 + value.size() + 4095) / 4096;
        bytes_.append(chunks * 4096, '\0');
        bytes_[at] = 2;
        put16(bytes_, at + 1, unsigned(chunks));
        put32(bytes_, at + 3, value.size());
        put16(bytes_, at + 7, modification);
        bytes_.replace(at + 9, value.size(), value);
        return at | 0xFF;
    }

    std::string bytes_;
    size_t shared_ = 0;
    int entries_ = 0;
    size_t next_ = 0;
};

void writeTable(const std::string& folder, const std::string& db, const std::string& mb,
                const std::vector<Field>& fields, const std::vector<std::vector<Cell>>& rows, bool encryptBlobs)
{
    const std::string path = folder + "/" + db;
    std::remove(path.c_str());
    pxdoc_t* px = PX_new();
    auto* defs = static_cast<pxfield_t*>(std::malloc(sizeof(pxfield_t) * fields.size()));
    int recordSize = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        defs[i].px_fname = strdup(fields[i].name);
        defs[i].px_ftype = fields[i].type;
        defs[i].px_flen = fields[i].size;
        defs[i].px_fdc = 0;
        recordSize += fields[i].size;
    }
    if (PX_create_file(px, defs, int(fields.size()), path.c_str(), pxfFileTypNonIndexDB) < 0) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    PX_set_value(px, "codepage", 1252);
    PX_set_parameter(px, "password", "wolkenband");
    const unsigned long encryption = px->px_head->px_encryption & 0xFFFFFFFFul;
    BlobFile blobs;
    unsigned modification = 1;
    for (const auto& row : rows) {
        std::string record(recordSize, '\0');
        int offset = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            char* data = record.data() + offset;
            const Field& f = fields[i];
            const Cell& c = row[i];
            if (const long* l = std::get_if<long>(&c)) {
                if (f.type == pxfShort)
                    PX_put_data_short(px, data, f.size, short(*l));
                else if (f.type == pxfLogical)
                    PX_put_data_byte(px, data, f.size, char(*l));
                else
                    PX_put_data_long(px, data, f.size, int(*l));
            } else if (const double* d = std::get_if<double>(&c)) {
                PX_put_data_double(px, data, f.size, *d);
            } else if (const std::string* s = std::get_if<std::string>(&c)) {
                PX_put_data_alpha(px, data, f.size, const_cast<char*>(s->c_str()));
            } else if (const Blob* b = std::get_if<Blob>(&c)) {
                const int leader = f.size - 10;
                // A picture is kept behind eight bytes of the table's own.
                const std::string stored = b->graphic ? std::string(8, '\0') + b->bytes : b->bytes;
                std::string pointer(10, '\0');
                if (!b->graphic && int(stored.size()) <= leader) {
                    std::memcpy(data, stored.data(), stored.size());
                } else {
                    std::memcpy(data, stored.data(), std::min<size_t>(leader, stored.size()));
                    put32(pointer, 0, blobs.add(stored, modification));
                }
                put32(pointer, 4, stored.size());
                put16(pointer, 8, modification++);
                std::memcpy(data + leader, pointer.data(), 10);
            }
            offset += f.size;
        }
        PX_put_record(px, record.data());
    }
    PX_close(px);
    PX_delete(px);
    if (!mb.empty())
        blobs.write(folder + "/" + mb, encryptBlobs ? encryption : 0);
}

// Paradox day numbers count from 1 January of the year 1; the date-time's day 0 is day 693594.
long day(int dateTime)
{
    return dateTime + 693594;
}

long clock(int h, int m, int s)
{
    return ((h * 60L + m) * 60 + s) * 1000;
}

std::string picture()
{
    // A 2 × 2 bitmap of 24 bits: red, green / blue, white.
    std::string bmp = "BM";
    bmp.append(4, '\0');
    bmp.append(4, '\0');
    bmp.append("\x36\0\0\0", 4);
    bmp.append("\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0", 16);
    bmp.append(24, '\0');
    bmp.append("\xFF\0\0\xFF\xFF\xFF\0\0", 8);  // bottom row: blue, white, padding
    bmp.append("\0\0\xFF\0\xFF\0\0\0", 8);      // top row: red, green, padding
    put32(bmp, 2, bmp.size());
    put32(bmp, 34, 16);
    return bmp;
}

std::string longMemo()
{
    std::string s = "Sch\xf6ner langer Lauf am Rhein entlang, \xfc" "ber die Br\xfc" "cke und zur\xfc" "ck. ";
    std::string memo;
    while (memo.size() < 3000)
        memo += s;
    return memo + "Ende \x96 gut.";
}

void writeSet(const std::string& folder, bool version4)
{
    std::filesystem::create_directories(folder);
    // The version 3 set has upper-case file names, as older installations wrote them.
    auto name = [&](const char* n) {
        std::string s = n;
        if (!version4)
            for (char& ch : s)
                ch = char(std::toupper(static_cast<unsigned char>(ch)));
        return s;
    };
    const Cell none;

    std::vector<Field> daten = {
        {"Index", pxfAutoInc, 4}, {"Datum", pxfDate, 4}, {"Ort", pxfAlpha, 30}, {"Form", pxfAlpha, 10},
        {"Startzeit", pxfTime, 4}, {"Gefuehl", pxfAlpha, 15}, {"Zeit", pxfTime, 4}, {"Meter", pxfLong, 4},
        {"Wetter", pxfAlpha, 15}, {"Wind", pxfAlpha, 15}, {"Hoehendifferenz", pxfShort, 2},
        {"Bemerkungen", pxfMemoBLOb, 20}, {"Temperatur", pxfShort, 2}, {"Puls", pxfShort, 2},
        {"Belastungsart", pxfAlpha, 10}, {"Streckenbeschreibung", pxfAlpha, 55}, {"Sportart", pxfAlpha, 15},
        {"Gli", pxfNumber, 8}, {"Gewicht", pxfNumber, 8}, {"Belastungsstufe", pxfAlpha, 7}};
    std::vector<std::vector<Cell>> units = {
        {1L, day(39644), std::string("K\xf6ln"), std::string("GA1"), clock(7, 30, 0), std::string("gut"),
         clock(0, 45, 30), 10000L, std::string("sonnig"), std::string("schwach"), 35L, Blob{longMemo()}, 22L, 142L,
         std::string("Dauerlauf"), std::string("Rheinufer S\xfc" "d"), std::string("Laufen"), none, 72.5,
         std::string("GA1")},
        {2L, day(39642), std::string("D\xfcsseldorf"), std::string("GA2"), clock(18, 5, 0), none, clock(2, 10, 0),
         62000L, std::string("bew\xf6lkt"), none, 120L, Blob{"Gegenwind"}, 17L, 131L, none,
         std::string("Rheinradweg"), std::string("Radfahren"), none, 73.0, std::string("GA2")},
        {3L, day(39645), std::string("M\xfcnster"), std::string("WSA"), clock(6, 45, 15), std::string("z\xe4h"),
         clock(0, 52, 1), 12000L, none, none, 8L, Blob{"Intervalle 5\xd7" "1000 m, z\xe4h aber gut"}, 15L, 165L,
         std::string("Intervall"), none, std::string("Laufen"), none, 72.0, none},
    };
    std::vector<Field> zeit = {{"Index", pxfLong, 4},      {"Meter", pxfLong, 4},
                               {"Zwischenzeit", pxfTime, 4}, {"Puls", pxfShort, 2},
                               {"M \xfc" "ber NN", pxfShort, 2}, {"Notitz", pxfAlpha, 100}};
    std::vector<std::vector<Cell>> splits = {
        {1L, 1000L, clock(0, 4, 35), 140L, 45L, std::string("Br\xfc" "cke")},
        {1L, 2000L, clock(0, 9, 5), 145L, 48L, none},
        {3L, 1000L, clock(0, 3, 50), 165L, 60L, std::string("Tor 2")},
    };
    if (version4) {
        daten.insert(daten.end(), {{"User1", pxfAlpha, 20}, {"User2", pxfNumber, 8}, {"Maxpuls", pxfLong, 4},
                                   {"Ruhepuls", pxfLong, 4}, {"Erholungspuls", pxfLong, 4}, {"Fett", pxfNumber, 8},
                                   {"kcal", pxfLong, 4}});
        units[0].insert(units[0].end(), {std::string("Schuhe A"), 1.5, 171L, 48L, 95L, 14.2, 640L});
        units[1].insert(units[1].end(), {none, none, 160L, 50L, none, none, 1450L});
        units[2].insert(units[2].end(), {std::string("Bahn"), 2.0, 182L, 47L, 110L, 14.0, 720L});
        zeit.push_back({"zwTyp", pxfShort, 2});
        splits[0].push_back(3L);
        splits[1].push_back(0L);
        splits[2].push_back(none);
    }
    writeTable(folder, name("daten.DB"), name("daten.MB"), daten, units, version4);
    writeTable(folder, name("zeit.DB"), "", zeit, splits, version4);
    // The other tables have the same layout in both versions; the version 4 set holds them.
    if (!version4)
        return;
    writeTable(folder, name("bestzeit.DB"), "",
               {{"Meter", pxfLong, 4}, {"Datum", pxfDate, 4}, {"Pb", pxfTime, 4}, {"Jb", pxfTime, 4},
                {"Sb", pxfTime, 4}, {"Ort", pxfAlpha, 50}},
               {{10000L, day(39644), clock(0, 44, 10), clock(0, 44, 10), clock(0, 45, 2), std::string("K\xf6ln")}},
               version4);
    writeTable(folder, name("strecke.DB"), name("strecke.MB"),
               {{"StrIndex", pxfAutoInc, 4}, {"Name", pxfAlpha, 100}, {"Land", pxfAlpha, 25}, {"Ort", pxfAlpha, 35},
                {"Laenge", pxfLong, 4}, {"HDiff", pxfLong, 4}, {"Beschreibung", pxfMemoBLOb, 11},
                {"Kommentar", pxfMemoBLOb, 11}, {"Bild", pxfGraphic, 10}, {"Lageplan", pxfGraphic, 10}},
               {{1L, std::string("Rheinrunde K\xf6ln"), std::string("Deutschland"), std::string("K\xf6ln"), 10000L, 35L,
                 Blob{"\xdc" "ber die Hohenzollernbr\xfc" "cke und zur\xfc" "ck."}, none, Blob{picture(), true}, none}},
               version4);
    writeTable(folder, name("streckez.DB"), name("streckez.MB"),
               {{"StrIndex", pxfLong, 4}, {"Meter", pxfLong, 4}, {"Streckenpunkt", pxfAlpha, 150},
                {"Hoehe", pxfLong, 4}, {"Kommentar", pxfAlpha, 255}, {"Bild", pxfGraphic, 10}},
               {{1L, 0L, std::string("Start am Dom"), 53L, none, none},
                {1L, 5000L, std::string("Wende Rodenkirchen"), 45L, std::string("Getr\xe4nke"), none}},
               version4);
    writeTable(folder, name("equipment.DB"), "",
               {{"Index", pxfAutoInc, 4}, {"Bezeichnung", pxfAlpha, 30}, {"Art", pxfAlpha, 20},
                {"Kilometer", pxfNumber, 8}},
               {{1L, std::string("Laufschuh Gr\xf6\xdf" "e 44"), std::string("Schuhe"), 512.5},
                {2L, std::string("Rennrad"), std::string("Rad"), 3120.0}},
               version4);
    writeTable(folder, name("eqdaten.DB"), "", {{"EqIndex", pxfLong, 4}, {"EinheiIndex", pxfLong, 4}},
               {{1L, 1L}, {2L, 2L}, {1L, 3L}, {1L, 99L}}, version4);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    PX_boot();
    writeSet(std::string(argv[1]) + "/v4", true);
    writeSet(std::string(argv[1]) + "/v3", false);
    return 0;
}
