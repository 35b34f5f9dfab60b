// Where the npm peers answer otherwise than Velunta: whether a day is a holiday, day by day, in
// Japan's zone over the benchmark's years and over every year Velunta answers; the same in a zone
// behind Japan's when the day is given as `new Date("YYYY-MM-DD")`, as the peers' READMEs show;
// and the names they give a holiday. Every answer is the packages' own, asked one day at a time.

const pad = (n, width = 2) => String(n).padStart(width, '0');

// Every day from January 1 of `first` to December 31 of `last`, as text, and its UTC instant.
function* daysOf(first, last) {
  for (let t = Date.UTC(first, 0, 1); t <= Date.UTC(last, 11, 31); t += 86400000) {
    const u = new Date(t);
    yield { text: `${pad(u.getUTCFullYear(), 4)}-${pad(u.getUTCMonth() + 1)}-${pad(u.getUTCDate())}`, t };
  }
}

// The Date a peer is given: midnight of the day in the process's zone, or the instant that
// `new Date(text)` makes (midnight UTC).
const localMidnight = (text) => {
  const [year, month, day] = text.split('-').map(Number);
  const date = new Date(year, month - 1, day);
  date.setFullYear(year); // years below 100 would otherwise mean 19xx
  return date;
};
const parsedText = (text) => new Date(text);

function withZone(zone, work) {
  const saved = process.env.TZ;
  process.env.TZ = zone;
  try {
    return work();
  } finally {
    process.env.TZ = saved;
  }
}

// Returns, for each peer, the days whose yes-or-no differs from Velunta's: [{text, ours}].
function differingDays(v, peers, first, last, toDate) {
  const found = peers.map(() => []);
  for (const { text } of daysOf(first, last)) {
    const ours = v.isHoliday(text);
    const date = toDate(text);
    peers.forEach((peer, i) => {
      if (peer.isHoliday(date) !== ours) found[i].push({ text, ours });
    });
  }
  return found;
}

// Returns [{peer, ours, listLabel, theirs, days: [text]}]: each name a peer gives that is
// neither the law's name (Velunta's default) nor the Cabinet Office list's label (Velunta's
// {labels: "official"}), with its days; and, per peer, how many days carry the list's label.
function differingNames(v, peers, first, last) {
  const pairs = new Map();
  const listLabelDays = peers.map(() => 0);
  for (const { text } of daysOf(first, last)) {
    const ours = v.holiday(text);
    if (!ours) continue;
    const listLabel = v.holiday(text, { labels: 'official' }).name;
    peers.forEach((peer, i) => {
      const theirs = peer.name(localMidnight(text));
      if (theirs === undefined || theirs === ours.name) return;
      if (theirs === listLabel) {
        listLabelDays[i] += 1;
        return;
      }
      const key = `${peer.who}\u0000${ours.name}\u0000${theirs}`;
      if (!pairs.has(key)) pairs.set(key, { peer: peer.who, ours: ours.name, listLabel, theirs, days: [] });
      pairs.get(key).days.push(text);
    });
  }
  return { pairs: [...pairs.values()], listLabelDays };
}

// `peers`: [{who, isHoliday(date) -> boolean, name(date) -> string | undefined}].
export function compareWithPeers(v, peers, { first, last, engineFirst, engineLast, behindZone }) {
  return withZone('Asia/Tokyo', () => ({
    inJapan: differingDays(v, peers, first, last, localMidnight),
    everyYear: differingDays(v, peers, engineFirst, engineLast, localMidnight),
    behind: withZone(behindZone, () => differingDays(v, peers, first, last, parsedText)),
    names: differingNames(v, peers, engineFirst, engineLast),
  }));
}
