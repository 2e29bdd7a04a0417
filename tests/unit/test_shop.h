#pragma once

#include "store/data_dir.h"
#include "store/place.h"
#include "store/table.h"
#include "test_dir.h"
#include "test_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The two places a shop's tables can be: files in a folder, or a database on a server.
enum class Backend { File, Server };

inline void PrintTo(Backend b, std::ostream* os) {
    *os << (b == Backend::File ? "File" : "Server");
}

inline std::string backendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::File ? "File" : "Server";
}

// One test's shop: the folder data/ of a temporary folder, or a fresh database on the tests'
// own server. The temporary folder is there in both cases, as a register's working folder.
class TestShop {
public:
    explicit TestShop(Backend backend) : m_backend(backend) {
        if (backend == Backend::Server)
            m_uri = testsupport::sharedServer().freshUri();
        else
            std::filesystem::create_directories(m_dir.path() / "data");
    }
    Backend backend() const { return m_backend; }
    // The data path as datapath.pos holds it.
    std::string dataPath() const {
        return m_backend == Backend::Server ? m_uri : m_dir.file("data") + "/";
    }
    std::string place(const std::string& name) const {
        return store::tablePlace(dataPath(), name);
    }
    // A new empty table of `kind`, opened.
    std::unique_ptr<store::Table> table(store::Kind kind, const std::string& name) const {
        store::createTable(place(name), kind);
        return open(kind, name);
    }
    std::unique_ptr<store::Table> open(store::Kind kind, const std::string& name) const {
        auto t = std::make_unique<store::Table>(kind);
        t->setFileName(place(name));
        t->open();
        return t;
    }
    const TestDir& dir() const { return m_dir; }

private:
    Backend m_backend;
    TestDir m_dir;
    std::string m_uri;
};

// A test run once with each backend: TEST_P(Suite, Name) on a suite derived from this.
class ShopTest : public testing::TestWithParam<Backend> {
protected:
    TestShop shop{GetParam()};
};

#define RUN_ON_BOTH_BACKENDS(Suite)                                                               \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                     \
                             testing::Values(Backend::File, Backend::Server), backendName)
