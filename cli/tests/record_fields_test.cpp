// The README's "What a record says" names every field the writers write, and no other: its table
// is read here and held against the JSON and CSV of a command of each record.

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

// Returns the rows of the table under "### What a record says": each row's cells, trimmed.
std::vector<std::vector<std::string>> RecordTable() {
  std::ifstream readme(VELUNTA_README);
  std::vector<std::vector<std::string>> rows;
  bool inSection = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with("#")) inSection = line == "### What a record says";
    if (!inSection || !line.starts_with("|")) continue;
    // Cells end at '|'; "\\|" is a '|' within a cell.
    std::vector<std::string> cells;
    std::string cell;
    for (std::size_t i = 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
        cell += line[++i];
      } else if (line[i] != '|') {
        cell += line[i];
      } else {
        const auto first = cell.find_first_not_of(' ');
        const auto last = cell.find_last_not_of(' ');
        cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
        cell.clear();
      }
    }
    rows.push_back(cells);
  }
  return rows;
}

// Returns the fields the README marks for a record's column: "`date`" rows with "✓" there.
std::set<std::string> Documented(const std::vector<std::vector<std::string>>& table,
                                 std::size_t column) {
  std::set<std::string> fields;
  for (const auto& row : table) {
    if (row.size() <= column || !row[0].starts_with("`")) continue;
    if (row[column] == "✓") fields.insert(row[0].substr(1, row[0].size() - 2));
  }
  return fields;
}

TEST(RecordFields, ReadmeNamesEveryFieldOfEveryRecordAndNoOther) {
  const auto table = RecordTable();
  ASSERT_GT(table.size(), 2U) << "no table under ### What a record says";
  const auto& header = table[0];
  const struct {
    const char* record;  // the README's column header starts with it
    std::vector<std::string> args;
  } kCases[] = {
      {"day", {"check", "2026/05/06"}},
      {"day", {"business", "is", "2026/05/06"}},
      {"closed day", {"business", "closed", "2026-12", "--bank-closing-days"}},
      {"equinox", {"equinox", "2026"}},
      {"count", {"business", "count", "2026/05/01", "2026/05/31"}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args[0] + " " + row.args[1]);
    std::size_t column = 0;
    for (std::size_t i = 1; i < header.size(); ++i) {
      if (header[i].starts_with(row.record)) column = i;
    }
    ASSERT_NE(column, 0U) << "no column for " << row.record;
    auto json = row.args;
    json.push_back("--format=json");
    const auto answer = RunVelunta(json);
    ASSERT_TRUE(answer.status == 0 || answer.status == 1) << answer.err;
    const auto records = nlohmann::ordered_json::parse(answer.out);
    ASSERT_FALSE(records.empty());
    std::set<std::string> written;
    std::string keys;
    for (const auto& [key, value] : records.front().items()) {
      written.insert(key);
      keys.append(keys.empty() ? "" : ",").append(key);
    }
    const auto documented = Documented(table, column);
    for (const auto& field : written) {
      EXPECT_TRUE(documented.contains(field)) << "written, not in the README: " << field;
    }
    for (const auto& field : documented) {
      EXPECT_TRUE(written.contains(field)) << "in the README, not written: " << field;
    }
    // CSV has the same columns in the same order.
    auto csv = row.args;
    csv.push_back("--format=csv");
    EXPECT_EQ(Lines(RunVelunta(csv).out).front(), keys + "\r");
  }
}

TEST(RecordFields, ReasonsAreAListInJsonAndOneFieldInCsv) {
  const std::vector<std::string> args = {"business", "closed", "2026/12/31", "2027/01/01",
                                         "--bank-closing-days"};
  auto json = args;
  json.push_back("--format=json");
  const auto days = nlohmann::json::parse(RunVelunta(json).out);
  ASSERT_EQ(days.size(), 2U);
  EXPECT_EQ(days[0]["reasons"], nlohmann::json({"bank-closing-day"}));
  EXPECT_EQ(days[1]["reasons"], nlohmann::json({"holiday"}));
  EXPECT_EQ(days[1]["reasons_ja"], nlohmann::json({"祝日"}));
  auto csv = args;
  csv.push_back("--format=csv");
  const auto lines = Lines(RunVelunta(csv).out);
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(lines[2], "2027-01-01,Fri,元日,New Year's Day,national,true,false,holiday,祝日\r");
}

}  // namespace
}  // namespace velunta::cli::testing
