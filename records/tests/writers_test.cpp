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

constexpr std::string_view kColumns[] = {"date", "name", "count", "open", "none", "tags"};

const std::string kTexts[] = {"",      "振替休日",    "say \"hi\"", "a,b", "back\\slash",
                              "tab\t", "line\nbreak", "\x01",       "🎌",   "Labor Day"};

std::vector<Cell> RandomRow(std::mt19937& random) {
  auto text = [&] { return kTexts[random() % std::size(kTexts)]; };
  Texts tags;
  for (auto n = random() % 4; n > 0; --n) tags.push_back(text());
  std::vector<Cell> row{text(),
                        text(),
                        std::int64_t{static_cast<int>(random() % 2001) - 1000},
                        random() % 2 == 0,
                        std::monostate{},
                        tags};
  return row;
}

Json ToJson(const Cell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&cell)) return *number;
  if (const auto* truth = std::get_if<bool>(&cell)) return *truth;
  if (const auto* texts = std::get_if<Texts>(&cell)) return *texts;
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
  const std::vector<Cell> bad{std::string("\xff"), std::string(), std::int64_t{1}, true, {}, {}};
  EXPECT_THROW(writer->Row(bad), RecordsError);
  EXPECT_EQ(out.str(), "");
}

TEST(JsonWriter, RefusesAListItemThatIsNotUtf8) {
  std::ostringstream out;
  const auto writer = MakeJsonWriter(out);
  writer->Begin(kColumns);
  const std::vector<Cell> bad{std::string(),      std::string(), std::int64_t{1}, true, {},
                              Texts{"ok", "\xff"}};
  EXPECT_THROW(writer->Row(bad), RecordsError);
  EXPECT_EQ(out.str(), "");
}

TEST(CsvWriter, AListIsOneFieldJoinedWithSemicolons) {
  const struct {
    const char* name;
    Texts texts;
    std::string field;
  } kCases[] = {
      {"none", {}, ""},
      {"one", {"holiday"}, "holiday"},
      {"two", {"holiday", "weekend"}, "holiday;weekend"},
      {"an item that needs quotes", {"a,b", "c"}, "\"a,b;c\""},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    std::ostringstream out;
    const auto writer = MakeCsvWriter(out);
    constexpr std::string_view kOne[] = {"tags"};
    writer->Begin(kOne);
    writer->Row(std::vector<Cell>{row.texts});
    EXPECT_EQ(out.str(), "tags\r\n" + row.field + "\r\n");
  }
}

TEST(TableWriter, OnlyCsvAndJsonAreTables) {
  std::ostringstream out;
  EXPECT_THROW(MakeTableWriter(Format::text, out), RecordsError);
  EXPECT_THROW(MakeTableWriter(Format::ics, out), RecordsError);
}

}  // namespace
}  // namespace velunta::records
