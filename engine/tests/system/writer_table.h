#pragma once

// The table the multi-process and crash tests write: every record carries its
// writer and sequence number, so a lost or doubled append shows, and its memo
// carries a text that can be rebuilt from (writer, sequence, version), so a
// torn or misplaced memo shows.

#include "engine/dbf_table.h"

#include <cstdint>
#include <string>

namespace kvilbo::engine::systemtest {

inline constexpr int kWriterField = 1;
inline constexpr int kSeqField = 2;
inline constexpr int kNameField = 3;
inline constexpr int kMemoField = 4;

/// Creates an empty writer table of kind dbType (0 FoxPro, 1 dBASE IV, 2 dBASE III).
void createWriterTable(const std::string &path, std::uint8_t dbType);

/// The name value of record (writer, seq): plain ASCII plus cp1252 letters.
std::string nameText(int writer, int seq);
/// Memo version `version` of record (writer, seq); lengths vary from under one block to several.
std::string memoText(int writer, int seq, int version);

/// Appends record (writer, seq) with its name; its record number, or 0 when the claim was refused.
int appendRecord(TDbfTable &table, int writer, int seq);
/// Writes memo version `version` of the current record (writer, seq); false when it did not land.
bool writeMemo(TDbfTable &table, int writer, int seq, int version);

/// What one record of a writer table holds.
struct RecordState {
    bool blank = false;  ///< appended but its values never written
    int writer = 0;
    int seq = 0;
    int memoVersion = 0; ///< 0 when the record has no memo
    std::string problem; ///< empty when the record is well-formed
};

/// Reads and checks the current record: name matches its numbers, memo is a whole version.
RecordState readRecord(TDbfTable &table);

/// Frees a claim left by a killed writer the way any instance would once the zombie time passed;
/// true when there was one.
bool takeOverDeadClaim(const std::string &path);

} // namespace kvilbo::engine::systemtest
