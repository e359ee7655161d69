// How fast the web page answers, in Debian's headless Chromium: the time from
// opening the page to the first offer, and from sending an answer to the next
// prompt, with the CPU as it is and slowed down four times (DevTools' CPU
// throttling, a stand-in for a slow phone). Not a test: it prints medians and
// ranges over several runs.
//   node bench/page_benchmark.mjs [PAGE] [--runs N]
// PAGE defaults to build-wasm/web/euro-umrechner-*.html; needs npm ci in web/.
import { readdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = fileURLToPath(new URL('..', import.meta.url));
const puppeteer = createRequire(join(root, 'web', 'package.json'))('puppeteer-core');
const args = process.argv.slice(2);
const runsAt = args.indexOf('--runs');
const runs = runsAt >= 0 ? Number(args.splice(runsAt, 2)[1]) : 10;
const built = join(root, 'build-wasm', 'web');
const isPage = (name) => /^euro-umrechner-.*\.html$/.test(name);
const page = args[0] ?? join(built, readdirSync(built).find(isPage));
// Four cycles through different conversions, each answer timed on its own.
const answers = ['1', '12', '100', '1', '6', '0.1', '1', '17', '1000', '1', '22', '10.5'];

// Runs the page once: the first offer on the page's clock (from the start of
// navigation) and the time of each answer, from the send button's click to
// the next prompt in the transcript.
async function runOnce(browser, slowdown) {
  const tab = await browser.newPage();
  await tab.emulateCPUThrottling(slowdown);
  await tab.evaluateOnNewDocument(() => {
    new MutationObserver((records, observer) => {
      if (records.some((record) => record.target.getAttribute?.('role') === 'log')) {
        window.firstOutputAt = performance.now();
        observer.disconnect();
      }
    }).observe(document, { childList: true, subtree: true });
  });
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => window.firstOutputAt !== undefined);
  const firstOffer = await tab.evaluate(() => window.firstOutputAt);
  const answerTimes = await tab.evaluate((lines) => lines.map((line) => {
    document.getElementById('answer').value = line;
    const start = performance.now();
    document.getElementById('send').click();
    return performance.now() - start;
  }), answers);
  await tab.close();
  return { firstOffer, answerTimes };
}

const summary = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const median = (sorted[(sorted.length - 1) >> 1] + sorted[sorted.length >> 1]) / 2;
  const ms = (value) => value.toFixed(1);
  return `${ms(median)} ms (${ms(sorted[0])}-${ms(sorted.at(-1))})`;
};

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox'],
});
try {
  console.log(`${page}, ${runs} runs per row (after one left out), ${answers.length} answers per run\n`);
  console.log('| CPU | opening to first offer: median (range) | answer to next prompt: median (range) |');
  console.log('|---|---|---|');
  for (const slowdown of [1, 4]) {
    await runOnce(browser, slowdown); // warms the browser's caches
    const results = [];
    for (let run = 0; run < runs; ++run) {
      results.push(await runOnce(browser, slowdown));
    }
    const firstOffers = summary(results.map((result) => result.firstOffer));
    const answerTimes = summary(results.flatMap((result) => result.answerTimes));
    const cpu = slowdown === 1 ? 'as it is' : `slowed ${slowdown}x`;
    console.log(`| ${cpu} | ${firstOffers} | ${answerTimes} |`);
  }
} finally {
  await browser.close();
}
