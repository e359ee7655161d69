// The web page in Debian's Chromium, headless, on a desktop and on a phone
// with touch: each dialog must leave in the transcript, less the echoed
// answers, the bytes that the console program writes for the same lines. The
// page must also fit a narrow screen, keep the focus in the answer field,
// reach nothing beyond itself, store nothing and raise no error.
//   node browser_test.mjs PAGE EXAMPLE_INPUT EXAMPLE_OUTPUT
// Screenshots go to $EURO_UMRECHNER_SCREENSHOTS, else the working folder.
// Exits with 77, skipped, where Chromium or the npm packages are missing.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const chromium = '/usr/bin/chromium';
const [pagePath, inputPath, outputPath] = process.argv.slice(2);
let puppeteer = null;
try {
  puppeteer = createRequire(new URL('../web/package.json', import.meta.url))('puppeteer-core');
} catch {}
if (puppeteer === null || !existsSync(chromium)) {
  console.log(`SKIPPED: needs ${chromium} and the npm packages (npm ci in web/)`);
  process.exit(77);
}

const example = readFileSync(outputPath, 'utf8');
const offer = example.slice(example.lastIndexOf('1 - '));
const cases = [
  ['the 40-line example, an answer a line', readFileSync(inputPath, 'utf8').split('\n'), example],
  ['several answers on one line', ['1 12 100 2'], example],
  ['empty lines answer nothing', ['', '1', '', '12', '100', '', '2'], example],
  ['a comma stays a comma: 2 is read, ",5" asks again', ['1', '12', '2,5', '2'],
    example.replace('195.583', '3.91166') + offer],
  ['a second chance at the menu, an amount with a point', ['1', 'abc', '12', '100.5', '2'],
    example.replace('Ihre Wahl?\n', '$&$&').replace('195.583', '196.561')],
];
const viewports = {
  desktop: { width: 1280, height: 800 },
  phone: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
};
const screenshots = process.env.EURO_UMRECHNER_SCREENSHOTS || process.cwd();
mkdirSync(screenshots, { recursive: true });

// What the page shows: the transcript less the echoed answers, the echoes,
// any other element in the log, and where the focus and the field are.
const state = (page) => page.evaluate(() => {
  const log = document.querySelector('[role=log]');
  const nodes = [...log.childNodes];
  return {
    output: nodes.map((node) => (node.nodeName === 'KBD' ? '' : node.textContent)).join(''),
    echoes: nodes.filter((node) => node.nodeName === 'KBD').map((node) => node.textContent),
    others: nodes.filter((node) => !['#text', 'KBD'].includes(node.nodeName)).length,
    focused: document.activeElement === document.getElementById('answer'),
    ended: document.getElementById('answer').disabled && document.getElementById('status').textContent !== '',
    tooWide: [document.documentElement, log].some((element) => element.scrollWidth > element.clientWidth),
  };
});

const browser = await puppeteer.launch({ executablePath: chromium, headless: true, args: ['--no-sandbox'] });
try {
  for (const [name, viewport] of Object.entries(viewports)) {
    const page = await browser.newPage();
    const errors = [];
    const requests = [];
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    const url = pathToFileURL(pagePath).href;
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (request.url() === url) {
        return request.continue();
      }
      requests.push(request.url());
      return request.abort();
    });
    await page.setViewport(viewport);
    await page.goto(url);
    for (const [dialog, lines, expected] of cases) {
      const where = `${name}, ${dialog}`;
      if (dialog !== cases[0][0]) {
        await (viewport.hasTouch ? page.tap('#again') : page.click('#again'));
      }
      await page.waitForFunction(() => document.querySelector('[role=log]').textContent !== '');
      const sent = [];
      for (const line of lines) {
        if ((await state(page)).ended) {
          break;
        }
        await page.type('#answer', line);
        await (viewport.hasTouch ? page.tap('#send') : page.keyboard.press('Enter'));
        sent.push(`${line}\n`);
        const now = await state(page);
        assert.ok(now.focused || now.ended, `${where}: the focus left the field after "${line}"`);
      }
      const now = await state(page);
      assert.equal(now.output, expected, `${where}: the transcript`);
      assert.deepEqual(now.echoes, sent, `${where}: the answers echoed`);
      assert.equal(now.others, 0, `${where}: elements in the log besides the answers`);
      assert.ok(now.ended, `${where}: the page does not say that the program has ended`);
      assert.ok(!now.tooWide, `${where}: wider than the screen`);
    }
    await page.screenshot({ path: join(screenshots, `page-${name}.png`) });
    if (viewport.hasTouch) {
      await page.setViewport({ ...viewport, width: 320 });
      assert.ok(!(await state(page)).tooWide, 'wider than a 320 px screen');
    }
    assert.deepEqual(errors, [], `${name}: errors`);
    const fetched = await page.evaluate(() => fetch('https://example.org/').then(() => 'made', () => 'refused'));
    assert.equal(fetched, 'refused', `${name}: a fetch from the page`);
    assert.deepEqual(requests, [], `${name}: requests that left the page`);
    const stored = await page.evaluate(() => document.cookie + localStorage.length + sessionStorage.length);
    assert.equal(stored, '00', `${name}: cookies or storage`);
    await page.close();
  }
} finally {
  await browser.close();
}
console.log(`${cases.length} dialogs, on ${Object.keys(viewports).join(' and ')}: the native program's bytes`);
