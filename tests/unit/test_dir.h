#pragma once

#include "store/data_dir.h"
#include "store/table.h"

#include <filesystem>
#include <memory>
#include <random>
#include <string>

// A fresh temporary folder for one test, removed afterwards.
class TestDir {
public:
    TestDir() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("marlow-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TestDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

    // A new empty table file of `kind`, opened.
    std::unique_ptr<store::Table> table(store::Kind kind, const std::string& name) const {
        store::createTableFile(file(name), kind);
        auto t = std::make_unique<store::Table>(kind);
        t->setFileName(file(name));
        t->open();
        return t;
    }

private:
    std::filesystem::path m_path;
};
