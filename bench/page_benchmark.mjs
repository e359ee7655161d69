// How fast the web page answers, in Debian's headless Chromium. Not a test: it
// prints medians and ranges over several runs.
// - Opening: from opening the page to the first offer, and from sending an
//   answer to the next prompt, with the CPU as it is and slowed down four
//   times (DevTools' CPU throttling, a stand-in for a slow phone).
// - A long log: one answer after 1, 100 and 1,000 conversions already in the
//   log (each sent as one line, "1 12 100"), and one paste of 3,000 and of
//   10,000 answers on one line.
// Each time runs from the click on "Senden" until the page is laid out again.
//   node bench/page_benchmark.mjs [PAGE...] [--runs N] [--only REGEX]
// --only runs only the rows whose name matches (e.g. --only paste).
// PAGE defaults to build-wasm/web/euro-umrechner-*.html; given two or more
// pages, the runs alternate between them, so that a busy machine slows all
// alike. Launches Chromium as the browser test does; needs npm ci in web/.
import { readdirSync } from 'node:fs';
import { basename, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from '../tests/browsers.mjs';

const root = fileURLToPath(new URL('..', import.meta.url));
const args = process.argv.slice(2);
const runsAt = args.indexOf('--runs');
const runs = runsAt >= 0 ? Number(args.splice(runsAt, 2)[1]) : 10;
const onlyAt = args.indexOf('--only');
const only = new RegExp(onlyAt >= 0 ? args.splice(onlyAt, 2)[1] : '');
const built = join(root, 'build-wasm', 'web');
const isPage = (name) => /^euro-umrechner-.*\.html$/.test(name);
const pages = args.length > 0 ? args : [join(built, readdirSync(built).find(isPage))];
// Four cycles through different conversions, each answer timed on its own.
const answers = ['1', '12', '100', '1', '6', '0.1', '1', '17', '1000', '1', '22', '10.5'];
// One conversion: go on, euro to DM, an amount.
const conversion = ['1', '12', '100'];
const answersFor = (count) => Array.from({ length: count }, (_, i) => conversion[i % conversion.length]);

// Opens the page in a new tab, until its first offer; the time of that offer
// on the page's clock (from the start of navigation).
async function open(browser, page, slowdown = 1) {
  const tab = await browser.newPage();
  await tab.emulateCPUThrottling(slowdown);
  await tab.evaluateOnNewDocument(() => {
    new MutationObserver((records, observer) => {
      if (records.some((record) => record.target.closest?.('[role=log]'))) {
        window.firstOutputAt = performance.now();
        observer.disconnect();
      }
    }).observe(document, { childList: true, subtree: true, characterData: true });
  });
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => window.firstOutputAt !== undefined);
  return { tab, firstOffer: await tab.evaluate(() => window.firstOutputAt) };
}

// Sends each line on its own; the milliseconds of each, from the click to
// the page laid out again (reading a size makes the browser lay it out).
const send = (tab, lines) => tab.evaluate((lines) => lines.map((line) => {
  document.getElementById('answer').value = line;
  const start = performance.now();
  document.getElementById('send').click();
  void document.documentElement.offsetHeight;
  return performance.now() - start;
}), lines);

// The rows of the table: each measures one run and gives its times.
const rows = [];
for (const slowdown of [1, 4]) {
  const cpu = slowdown === 1 ? 'CPU as it is' : `CPU slowed ${slowdown}x`;
  rows.push({
    name: `opening to first offer, ${cpu}`,
    measure: async (browser, page) => {
      const { tab, firstOffer } = await open(browser, page, slowdown);
      await tab.close();
      return [firstOffer];
    },
  });
  rows.push({
    name: `answer to next prompt, ${cpu}`,
    measure: async (browser, page) => {
      const { tab } = await open(browser, page, slowdown);
      const times = await send(tab, answers);
      await tab.close();
      return times;
    },
  });
}
for (const conversions of [1, 100, 1000]) {
  rows.push({
    name: `one answer after ${conversions.toLocaleString('en')} conversion(s)`,
    measure: async (browser, page) => {
      const { tab } = await open(browser, page);
      await send(tab, Array(conversions).fill(conversion.join(' ')));
      const times = await send(tab, answersFor(3 * 3));
      await tab.close();
      return times;
    },
  });
}
for (const count of [3000, 10000]) {
  rows.push({
    name: `paste of ${count.toLocaleString('en')} answers`,
    measure: async (browser, page) => {
      const { tab } = await open(browser, page);
      const times = await send(tab, [answersFor(count).join(' ')]);
      await tab.close();
      return times;
    },
  });
}

const summary = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const median = (sorted[(sorted.length - 1) >> 1] + sorted[sorted.length >> 1]) / 2;
  const ms = (value) => value.toFixed(1);
  return `${ms(median)} ms (${ms(sorted[0])}-${ms(sorted.at(-1))})`;
};

const browser = await chromium();
try {
  console.log(`${runs} runs per row and page (after one left out)\n`);
  console.log(`| what | ${pages.map((page) => basename(page)).join(' | ')} |`);
  console.log(`|---|${pages.map(() => '---|').join('')}`);
  for (const row of rows.filter((row) => only.test(row.name))) {
    const times = pages.map(() => []);
    for (let run = -1; run < runs; ++run) {
      for (const [index, page] of pages.entries()) {
        const measured = await row.measure(browser, page);
        if (run >= 0) {
          times[index].push(...measured);
        }
      }
    }
    console.log(`| ${row.name} | ${times.map(summary).join(' | ')} |`);
  }
} finally {
  await browser.close();
}
