// marlow-newdata DIR|URI [--sample]: makes a shop with the empty tables, in a folder or in a
// database on a PostgreSQL server.
#include "store/data_dir.h"
#include "store/errors.h"
#include "store/place.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    const char* dir = nullptr;
    bool sample = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sample") == 0)
            sample = true;
        else if (!dir && argv[i][0] != '-')
            dir = argv[i];
        else
            dir = nullptr, argc = 0;
    }
    if (!dir) {
        std::cerr
            << "usage: marlow-newdata DIR|URI [--sample]\n"
               "Creates DIR with the empty customer, product, sale and security tables and\n"
               "the empty-year template blank.tbl, or makes these tables in the database of a\n"
               "PostgreSQL server named by URI (postgresql://user@host/shop, or\n"
               "postgresql:///shop?host=/run/postgresql), the database itself when missing.\n"
               "--sample also fills a small sample shop.\n";
        return 2;
    }
    try {
        store::createShop(dir);
        if (sample) store::fillSampleShop(dir);
    } catch (const std::exception& e) {
        std::cerr << "marlow-newdata: " << e.what() << "\n";
        return 1;
    }
    const bool server = store::isServerPath(dir);
    std::cout << (server ? "Created the shop in " : "Created the data directory ")
              << (server ? store::shownConnection(dir) : std::string(dir))
              << (sample ? " with the sample shop" : "") << "\n";
    return 0;
}
