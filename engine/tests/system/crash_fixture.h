#pragma once

// The small table every crash-point run starts from, the operations a killed
// writer runs on it, and the check of what a kill may leave behind: the table
// opens, everything written before the operation is intact, and the operation
// either happened whole or left only what its contract allows.

#include "engine/dbf_table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvilbo::engine::systemtest {

/// Operations a writer can be killed in.
const std::vector<std::string> &fixtureOperations();

/// Records of the fixture the crash-point runs use.
inline constexpr int kSmallFixture = 4;

/// Creates the fixture: records (1,1)..(1,count) with memos, every third deletion-flagged.
void buildFixture(const std::string &path, std::uint8_t dbType, int count);

/// Runs `operation` on the open fixture table (opened exclusively for "pack").
void runFixtureOperation(TDbfTable &table, const std::string &operation);

/// Checks the fixture after `operation` ran or was killed; empty when sound, else what is wrong.
std::string checkFixture(const std::string &path, const std::string &operation, int count);

/// After a check: takes over a dead claim, appends one more record and checks it landed.
std::string checkStillWritable(const std::string &path);

} // namespace kvilbo::engine::systemtest
