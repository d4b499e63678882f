#pragma once

// A temporary program folder with settings, texts, log and a card table,
// and readers for what the layout code leaves on disk.

#include "layout/layout_fields.h"
#include "layout/layout_table.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kvilbo::layout::test {

/// A folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    /// The folder's path.
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

/// One field of a card table to create.
struct FieldSpec {
    std::string name;
    char type;
    int length;
    int decimals = 0;
};

/// The trimmed values of one layout record, by field, and its deletion flag.
struct StoredRecord {
    bool deleted = false;
    std::map<Felt, std::string> values; ///< only fields that are not blank
};

/// A program folder with a log, settings whose values tell their fields apart, and a card table.
class LayoutFixture : public ::testing::Test {
protected:
    LayoutFixture();

    /// Creates KUNDER.DBF (FoxPro kind) with these fields and opens it in DBF.
    void makeCardTable(const std::vector<FieldSpec> &fields, bool exclusive = false);
    /// Path of a file beside the card table.
    std::string beside(const std::string &name) const;
    /// A new LayoutTable on this folder's settings, texts and log.
    std::unique_ptr<LayoutTable> newLayout();
    /// The messages of the log, oldest first, without time and table name.
    std::vector<std::string> loggedMessages() const;
    /// Every record of an open layout table, in physical order.
    static std::vector<StoredRecord> readAll(engine::TDbfTable &FORFIL);

    TempFolder m_dir;
    core::TKonfig m_konfig;
    core::Texts m_texts{0};
    core::Log m_log;
    engine::TDbfTable DBF;
};

/// The file's bytes.
std::string fileBytes(const std::string &path);
/// Writes bytes to path, replacing it.
void writeBytes(const std::string &path, const std::string &bytes);

} // namespace kvilbo::layout::test
