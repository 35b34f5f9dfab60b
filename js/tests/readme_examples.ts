// The TypeScript examples of js/README.md, as they stand there: check_types.sh checks that the
// two agree and that tsc --strict accepts them against index.d.ts.
import { BusinessCalendar, dayInJapan, holiday, holidays, isHoliday, localDay, nextHoliday } from "velunta";

const substitute = holiday("2026-05-06");
// {date: "2026-05-06", name: "振替休日", nameEn: "Substitute Holiday", kind: "substitute", predicted: false}
console.log(substitute?.nameEn, isHoliday("2026-05-07"));      // Substitute Holiday false
console.log(JSON.stringify(substitute));                        // as the server writes it: name_en, weekday, day_off, ...
for (const day of holidays(2026, { sundays: false })) console.log(day.date, day.name);
console.log(nextHoliday("2026-05-06", 3).map((day) => day.date)); // ["2026-07-20", "2026-08-11", "2026-09-21"]
console.log(holiday({ year: 2019, month: 5, day: 1 }, { labels: "official" })?.name); // 休日（祝日扱い）

const bank = new BusinessCalendar({ bankClosingDays: true, yearlyClosed: ["08-13..08-15"] });
console.log(bank.add("2024-12-30", 1));                         // 2025-01-06
console.log(bank.count("2024-04-26", "2024-05-07"));            // 4: from counts, to does not
console.log(bank.roll("2024-08-31", "modified-following"));     // 2024-08-30
console.log(bank.closedDays(2026)[0].reasons);                  // ["holiday"]
bank.dispose();

const tokyo = BusinessCalendar.fromToml('weekend = ["saturday", "sunday"]\nclosed = ["2026-05-01"]\n', "tokyo.toml");
console.log(tokyo.isBusinessDay("2026-05-01"));                 // false

const now = new Date();
console.log(isHoliday(dayInJapan(now)), isHoliday(localDay(now)));
