// Build step: makes a template athlete database from SQL scripts.
//
//   orv_make_template OUTPUT SCRIPT...
//
// Runs the scripts in order, in one transaction, into a new file and compacts it. The file is
// written under a temporary name and renamed only when every script ran, so a failed build
// never leaves a half-filled template beside the program.
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool Exec(sqlite3* db, const std::string& sql, const std::string& where)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "%s: %s\n", where.c_str(), error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    return false;
}

void Pow(sqlite3_context* context, int, sqlite3_value** args)
{
    sqlite3_result_double(context,
                          std::pow(sqlite3_value_double(args[0]), sqlite3_value_double(args[1])));
}

// The pace tables use pow(); SQLite builds without the math functions get ours.
void EnsurePow(sqlite3* db)
{
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT pow(2, 2)", -1, &probe, nullptr) != SQLITE_OK)
        sqlite3_create_function(db, "pow", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, Pow,
                                nullptr, nullptr);
    sqlite3_finalize(probe);
}

bool ReadFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", path);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool Build(sqlite3* db, int count, char** scripts)
{
    EnsurePow(db);
    if (!Exec(db, "PRAGMA journal_mode = DELETE; BEGIN", "start"))
        return false;
    for (int i = 0; i < count; ++i) {
        std::string sql;
        if (!ReadFile(scripts[i], sql) || !Exec(db, sql, scripts[i]))
            return false;
    }
    return Exec(db, "COMMIT", "commit") && Exec(db, "VACUUM", "compact");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT SCRIPT...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = argv[1];
    std::filesystem::path temporary = output;
    temporary += ".part";
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);

    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(temporary.string().c_str(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", temporary.string().c_str(), sqlite3_errmsg(db));
    else
        ok = Build(db, argc - 2, argv + 2);
    sqlite3_close(db);

    if (ok) {
        std::error_code error;
        std::filesystem::rename(temporary, output, error);
        if (error) {
            std::fprintf(stderr, "%s: %s\n", output.string().c_str(), error.message().c_str());
            ok = false;
        }
    }
    if (!ok)
        std::filesystem::remove(temporary, ignored);
    return ok ? 0 : 1;
}
