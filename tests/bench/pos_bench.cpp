// pos-bench WHAT: speed figures of the register, as medians of repeated runs.
#include "store/data_dir.h"
#include "store/table.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::vector<double> repeat(int times, const std::function<void()>& f) {
    std::vector<double> out;
    for (int i = 0; i < times; ++i) {
        auto t0 = Clock::now();
        f();
        out.push_back(msSince(t0));
    }
    return out;
}

std::string barcodeOf(int i) {
    return "0" + std::to_string(400000000000LL + i * 7919LL % 99991 * 100000 + i);
}

void fillProducts(const std::string& path, int n) {
    store::Table t(store::Kind::Product);
    t.setFileName(path);
    t.open();
    t.beginTransaction();
    std::mt19937 rng(1);
    for (int i = 0; i < n; ++i) {
        t.append();
        t.setText(store::product::CATEGORY, "Category " + std::to_string(rng() % 60));
        t.setText(store::product::PRODUCT, "Product number " + std::to_string(i));
        t.setText(store::product::QUANTITY, std::to_string(rng() % 200));
        t.setText(store::product::MINIMUM, "5");
        t.setText(store::product::COST, "3.10");
        t.setText(store::product::PRICE, "7.99");
        t.setText(store::product::GROSS, "4.89");
        t.setText(store::product::VENDER, "ACME");
        t.setText(store::product::TAX, "T");
        t.setText(store::product::BARCODE, barcodeOf(i));
        t.setText(store::product::CLERK, "bench");
        t.post();
    }
    t.commit();
}

void setSaleFields(store::Table& t, int invoice) {
    t.setText(store::sale::NAME, "CUSTOMER " + std::to_string(invoice % 500));
    t.setText(store::sale::ADDRESS1, "12 Main Street");
    t.setText(store::sale::CITY, "Springfield");
    t.setText(store::sale::STATE, "IL");
    for (int l = 0; l < 5; ++l) {
        t.setText(store::sale::prod(l), "1 Product number " + std::to_string(invoice * 5 + l));
        t.setText(store::sale::cost(l), "3.10");
        t.setText(store::sale::price(l), "7.99  ");
    }
    t.setText(store::sale::CHARGE1, "0.00");
    t.setText(store::sale::CHARGE2, "0.00");
    t.setText(store::sale::PAID, "42.47");
    t.setText(store::sale::BALANCE, "0.00");
    t.setText(store::sale::TOTAL, "42.47");
    t.setText(store::sale::DATE, "03/07/2004");
    t.setText(store::sale::TAX, "2.52");
    t.setNumber(store::sale::INVOICE, invoice);
    t.setText(store::sale::SUBTOTAL, "39.95");
    t.setText(store::sale::LINK, "0");
    t.setText(store::sale::CLERK, "bench");
}

void fillSales(const std::string& path, int n) {
    store::Table t(store::Kind::Sale);
    t.setFileName(path);
    t.open();
    t.beginTransaction();
    for (int i = 1; i <= n; ++i) {
        t.append();
        setSaleFields(t, i);
        t.post();
    }
    t.commit();
}

// Reads every field of every row through the engine; returns a checksum.
size_t engineWalk(store::Table& t) {
    size_t sum = 0;
    const int n = t.fieldCount();
    for (t.first(); !t.eof(); t.next())
        for (int f = 0; f < n; ++f)
            sum += t.view(f).size();
    return sum;
}

// The same rows in the same order straight from SQLite.
size_t rawWalk(sqlite3* db, int fields, const std::string& order) {
    std::string cols = "rid";
    for (int f = 0; f < fields; ++f)
        cols += ", f" + std::to_string(f);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, ("SELECT " + cols + " FROM rows ORDER BY " + order).c_str(), -1, &st,
                       nullptr);
    size_t sum = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int f = 1; f <= fields; ++f) {
            sqlite3_column_text(st, f);
            sum += sqlite3_column_bytes(st, f);
        }
    sqlite3_finalize(st);
    return sum;
}

int benchEngine() {
    const int rows = 100000, runs = 5;
    fs::path dir = fs::temp_directory_path() / ("pos-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::printf("building %d products and %d sales in %s ...\n", rows, rows, dir.c_str());
    store::createDataDirectory(dir.string());
    auto t0 = Clock::now();
    fillProducts((dir / "product.tbl").string(), rows);
    fillSales((dir / "sale.tbl").string(), rows);
    std::printf("built in %.1f s\n\n", msSince(t0) / 1000);

    struct Walked {
        const char* name;
        store::Kind kind;
        const char* file;
        const char* order;
    };
    for (const Walked& w : {Walked{"products", store::Kind::Product, "product.tbl", "f0, rid"},
                            Walked{"sales", store::Kind::Sale, "sale.tbl", "f320, rid"}}) {
        store::Table t(w.kind);
        t.setFileName((dir / w.file).string());
        t.open();
        size_t a = 0, b = 0;
        auto engine = repeat(runs, [&] { a = engineWalk(t); });
        auto raw = repeat(runs, [&] { b = rawWalk(t.handle(), t.fieldCount(), w.order); });
        if (a != b) std::printf("  (checksums differ: %zu vs %zu)\n", a, b);
        double me = median(engine), mr = median(raw);
        std::printf(
            "(a) walk of %d %s, every field: engine %.1f ms, raw SELECT %.1f ms, ratio %.2f "
            "(goal <= 1.5)\n",
            rows, w.name, me, mr, me / mr);
    }

    {
        store::Table t(store::Kind::Product);
        t.setFileName((dir / "product.tbl").string());
        t.open();
        std::mt19937 rng(5);
        std::vector<double> times;
        int found = 0;
        for (int i = 0; i < 2000; ++i) {
            std::string code = barcodeOf(rng() % rows);
            auto s = Clock::now();
            found += t.locate({{store::product::BARCODE, code}});
            times.push_back(msSince(s));
        }
        std::printf("(b) find by barcode among %d products: median %.3f ms (goal < 1 ms), %d/2000 "
                    "found\n",
                    rows, median(times), found);
    }

    {
        store::Table t(store::Kind::Sale);
        t.setFileName((dir / "sale.tbl").string());
        t.open();
        int next = rows + 1;
        auto times = repeat(60, [&] {
            t.append();
            setSaleFields(t, next++);
            t.post();
        });
        std::printf(
            "(c) append and post of one sale row (synced to disk): median %.2f ms (goal < 5 "
            "ms)\n",
            median(times));
    }
    fs::remove_all(dir);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string what = argc > 1 ? argv[1] : "";
    if (what == "engine") return benchEngine();
    std::fprintf(stderr, "usage: pos-bench engine\n");
    return 2;
}
