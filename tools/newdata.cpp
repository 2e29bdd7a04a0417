// marlow-newdata DIR [--sample]: makes a data directory with the empty tables.
#include "store/data_dir.h"
#include "store/errors.h"

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
            << "usage: marlow-newdata DIR [--sample]\n"
               "Creates DIR with the empty customer, product, sale and security tables and\n"
               "the empty-year template blank.tbl; --sample also fills a small sample shop.\n";
        return 2;
    }
    try {
        store::createDataDirectory(dir);
        if (sample) store::fillSampleShop(dir);
    } catch (const std::exception& e) {
        std::cerr << "marlow-newdata: " << e.what() << "\n";
        return 1;
    }
    std::cout << "Created the data directory " << dir << (sample ? " with the sample shop" : "")
              << "\n";
    return 0;
}
