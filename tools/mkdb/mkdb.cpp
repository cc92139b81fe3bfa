// velor_mkdb SCRIPT OUTPUT: creates the database OUTPUT (replacing it) from the SQL script.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velor_mkdb SCRIPT OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "velor_mkdb: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream script;
    script << in.rdbuf();
    const std::filesystem::path out(argv[2]);
    std::filesystem::create_directories(out.parent_path());
    std::filesystem::remove(out);
    sqlite3* db = nullptr;
    if (sqlite3_open(out.c_str(), &db) != SQLITE_OK) {
        std::cerr << "velor_mkdb: cannot create " << out << "\n";
        return 1;
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, script.str().c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) std::cerr << "velor_mkdb: " << argv[1] << ": " << (error ? error : "") << "\n";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) std::filesystem::remove(out);
    return rc == SQLITE_OK ? 0 : 1;
}
