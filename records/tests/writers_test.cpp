// The table writers stream exactly what a whole-document writer would write.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include <velunta/records/records_error.h>
#include <velunta/records/table_writer.h>
#include <nlohmann/json.hpp>

namespace velunta::records {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kColumns[] = {"date", "name", "count", "open", "none"};

const std::string kTexts[] = {"",      "振替休日",    "say \"hi\"", "a,b", "back\\slash",
                              "tab\t", "line\nbreak", "\x01",       "🎌",   "Labor Day"};

std::vector<Cell> RandomRow(std::mt19937& random) {
  auto text = [&] { return kTexts[random() % std::size(kTexts)]; };
  std::vector<Cell> row{text(), text(), std::int64_t{static_cast<int>(random() % 2001) - 1000},
                        random() % 2 == 0, std::monostate{}};
  return row;
}

Json ToJson(const Cell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&cell)) return *number;
  if (const auto* truth = std::get_if<bool>(&cell)) return *truth;
  return nullptr;
}

TEST(JsonWriter, StreamsWhatDumpWritesForTheWholeArray) {
  std::mt19937 random(20260506);
  for (int rows : {0, 1, 2, 7, 100}) {
    SCOPED_TRACE(rows);
    std::ostringstream streamed;
    const auto writer = MakeJsonWriter(streamed);
    Json whole = Json::array();
    writer->Begin(kColumns);
    for (int r = 0; r < rows; ++r) {
      const auto row = RandomRow(random);
      writer->Row(row);
      Json object = Json::object();
      for (std::size_t i = 0; i < row.size(); ++i)
        object[std::string(kColumns[i])] = ToJson(row[i]);
      whole.push_back(object);
    }
    writer->End();
    EXPECT_EQ(streamed.str(), whole.dump(2) + "\n");
  }
}

TEST(JsonWriter, RefusesTextThatIsNotUtf8BeforeWritingTheRow) {
  std::ostringstream out;
  const auto writer = MakeJsonWriter(out);
  writer->Begin(kColumns);
  const std::vector<Cell> bad{std::string("\xff"), std::string(), std::int64_t{1}, true, {}};
  EXPECT_THROW(writer->Row(bad), RecordsError);
  EXPECT_EQ(out.str(), "");
}

TEST(TableWriter, OnlyCsvAndJsonAreTables) {
  std::ostringstream out;
  EXPECT_THROW(MakeTableWriter(Format::text, out), RecordsError);
  EXPECT_THROW(MakeTableWriter(Format::ics, out), RecordsError);
}

}  // namespace
}  // namespace velunta::records
