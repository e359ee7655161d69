// The web page as a person meets it, in Debian's Chromium, Firefox ESR and
// WebKitGTK on a desktop, and in Chromium on a phone with touch: each dialog
// must leave in the log, less the echoed answers, the bytes that the console
// program writes for the same lines, and after every start, answer and end
// the focus, the buttons, the status and the log must be where a person
// expects them. The page must also fit a narrow screen, reach nothing beyond
// itself, store nothing and raise no error; served from a web server, the app
// folder must be installable, work offline and update itself.
//   node browser_test.mjs PAGE APP_FOLDER EXAMPLE_INPUT EXAMPLE_OUTPUT
// Screenshots go to $EURO_UMRECHNER_SCREENSHOTS, else the working folder.
// Exits with 77, skipped, where a browser or the npm packages are missing.
import assert from 'node:assert/strict';
import { cpSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { basename, extname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium, openTab, puppeteerTab } from './browsers.mjs';

const [pagePath, appFolder, inputPath, outputPath] = process.argv.slice(2);
const version = basename(pagePath).slice('euro-umrechner-'.length, -'.html'.length);
const example = readFileSync(outputPath, 'utf8');
const offer = example.slice(example.lastIndexOf('1 - '));
const start = example.slice(0, example.indexOf(offer) + offer.length);
// [dialog, lines, expected log]; a line of more than 100 characters is set by
// script, as typing it would take long.
const cases = [
  ['the 40-line example, an answer a line', readFileSync(inputPath, 'utf8').trimEnd().split('\n'), example],
  ['several answers on one line', ['1 12 100 2'], example],
  ['empty lines answer nothing', ['', '1', '', '12', '100', '', '2'], example],
  ['a comma stays a comma: 2 is read, ",5" asks again', ['1', '12', '2,5', '2'],
    example.replace('195.583', '3.91166') + offer],
  ['a second and third chance at the menu, an amount with a point', ['1', 'abc'.repeat(23), 'ıı', '12', '100.5', '2'],
    example.replace('Ihre Wahl?\n', '$&$&$&').replace('195.583', '196.561')],
  ['an amount that needs every byte of the module', ['1', '12', '6.48975e-9', '2'],
    example.replace('195.583', '1.26928e-08')],
  ['the end, and a rest that the next run must not read', [`2${' '.repeat(17000)}1 12 100`], start],
  ['a line longer than the reader\'s buffer', [`${' '.repeat(16 * 1024)}1 12 100 2`], example],
];
const desktop = { width: 1280, height: 800 };
const phone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const screenshots = process.env.EURO_UMRECHNER_SCREENSHOTS || process.cwd();
mkdirSync(screenshots, { recursive: true });
const running = { focus: 'answer', again: false, status: '', send: true };
const ended = { focus: 'again', again: true, status: 'Das Programm ist beendet.', send: false };

// What the page shows: the log less the echoed answers, the echoes, where the
// focus is, the buttons and the status, and the faults of its layout.
const state = (width) => {
  const $ = (id) => document.getElementById(id);
  const log = $('log');
  const root = document.documentElement;
  const text = (node) => (node.nodeName === 'KBD' ? '' : node.nodeType === Node.TEXT_NODE
    ? node.data : [...node.childNodes].map(text).join(''));
  const blurs = window.blurs;
  window.blurs = 0;
  const faults = {
    'blocks other than divs with at most one echo, last': [...log.childNodes].some((node) => node.nodeName !== 'DIV')
      || [...log.querySelectorAll('kbd')].some((kbd) => kbd.parentNode.nodeName !== 'DIV' || kbd.nextSibling),
    'the newest line out of view': log.scrollTop + log.clientHeight < log.scrollHeight - 1,
    'wider than the screen': [root, log].some((element) => element.scrollWidth > element.clientWidth),
    'taller than the screen': root.scrollHeight > innerHeight,
    'the rendered log not its text': log.innerText !== log.textContent,
    'the status out of the accessibility tree': getComputedStyle($('status')).display === 'none',
    'the layout not as wide as the screen': width > 0 && innerWidth !== width,
    'the field blurred while sending': blurs && navigator.maxTouchPoints && document.activeElement === $('answer'),
  };
  return {
    output: text(log),
    echoes: [...log.querySelectorAll('kbd')].map((kbd) => kbd.textContent),
    view: { focus: document.activeElement.id, again: $('again').getClientRects().length > 0,
      status: $('status').textContent, send: !$('send').disabled },
    faults: Object.keys(faults).filter((fault) => faults[fault]),
  };
};

// Runs the dialogs in one tab, each after a restart. Desktops send with Enter
// (one dialog with Tab to the button, then Enter; the last answer's Enter held
// down where the engine can), phones with a tap; one restart comes in the same
// event turn as a submit.
async function runDialogs(tab, where, rows, width) {
  const check = async (name, expected) => {
    const now = await tab.evaluate(state, width);
    assert.deepEqual([now.view, now.faults], [expected ?? (now.view.status ? ended : running), []], name);
    return now;
  };
  for (const [index, [dialog, lines, expected]] of rows.entries()) {
    const name = `${where}, ${dialog}`;
    if (index === 3) {
      await tab.evaluate(() => [document.getElementById('again').click(), document.forms[0].requestSubmit()]);
    } else if (index > 0) {
      await tab.click('#again');
    }
    await tab.waitFor(() => document.getElementById('log').textContent !== '');
    await check(`${name}: at the start`, running);
    for (const [at, line] of lines.entries()) {
      await (line.length > 100 ? tab.evaluate((text) => { document.getElementById('answer').value = text; }, line)
        : tab.type(line));
      if (width === phone.width) {
        await tab.click('#send');
      } else if (index === 2) {
        await tab.press('Tab');
        await tab.press('Enter');
      } else if (at === lines.length - 1 && tab.page) {
        await tab.page.keyboard.down('Enter');
        await tab.page.keyboard.down('Enter');
        await tab.page.keyboard.up('Enter');
      } else {
        await tab.press('Enter');
      }
      await check(`${name}: after "${line.slice(0, 20)}"`);
    }
    const now = await check(`${name}: at the end`, ended);
    assert.equal(now.output, expected, `${name}: the log`);
    assert.deepEqual(now.echoes, lines.map((line) => `${line}\n`), `${name}: the answers echoed`);
  }
  const page = await tab.evaluate(() => [document.title,
    document.querySelector('h1 + p').textContent.includes('Beträge')]);
  assert.deepEqual(page, [`Euro-Umrechner ${version}`, true], `${where}: the title and the header`);
  assert.deepEqual(await tab.evaluate(() => window.errors), [], `${where}: errors`);
}

// Opens the page at `url` in the tab, counting the field's blurs and the
// page's errors; in Chromium, `requests` collects those that leave `url`'s origin.
async function open(tab, url, requests) {
  (requests ? tab.page : null)?.on('request', (request) => {
    if (/^(https?|wss?):/.test(request.url()) && !request.url().startsWith(new URL(url).origin)) {
      requests.push(request.url());
    }
  });
  (requests ? tab.page : null)?.on('pageerror', (error) => requests.push(error.message));
  await tab.open(url);
  await tab.evaluate(() => {
    [window.blurs, window.errors] = [0, []];
    document.getElementById('answer').addEventListener('blur', () => ++window.blurs);
    addEventListener('error', (event) => window.errors.push(event.message));
    addEventListener('unhandledrejection', (event) => window.errors.push(String(event.reason)));
  });
}

const url = pathToFileURL(pagePath).href;
const timings = [];
for (const [engine, viewport, rows] of [['chromium', phone, cases.slice(1, 5)], ['chromium', desktop, cases],
  ['firefox', desktop, cases], ['webkit', desktop, cases]]) {
  const began = Date.now();
  const where = `${engine}, ${viewport.width} px`;
  const tab = await openTab(engine, viewport);
  const requests = [];
  try {
    await open(tab, url, requests);
    await runDialogs(tab, where, rows, tab.page ? viewport.width : undefined);
    if (engine !== 'chromium') {
      continue;
    }
    await tab.page.screenshot({ path: join(screenshots, `page-${viewport.width}.png`) });
    if (viewport === phone) {
      await tab.page.setViewport({ ...phone, height: 450 });
      await tab.waitFor(() => document.getElementById('log').scrollTop + document.getElementById('log').clientHeight
        >= document.getElementById('log').scrollHeight - 1);
      await tab.page.setViewport({ ...phone, width: 320 });
      const field = await tab.evaluate(() => {
        document.documentElement.style.fontSize = '200%';
        const eight = Object.assign(document.createElement('span'), { textContent: '00000000' });
        eight.style.font = getComputedStyle(document.getElementById('answer')).font;
        document.body.append(eight);
        return document.getElementById('answer').clientWidth - eight.offsetWidth;
      });
      assert.ok(field >= 0, `at 320 px and 200 % text, the field lacks ${-field} px for eight characters`);
      assert.ok(!(await tab.evaluate(state)).faults.includes('wider than the screen'), 'at 320 px and 200 % text');
    }
    const refused = await tab.evaluate(() => new Promise((resolve) => {
      const seen = [];
      setTimeout(() => resolve(seen), 10000);
      addEventListener('securitypolicyviolation',
        (violation) => seen.push(violation.effectiveDirective) > 2 && resolve(seen));
      fetch('https://example.org/').catch(() => {});
      document.body.append(Object.assign(document.createElement('iframe'), { src: 'https://example.org/' }));
      const form = Object.assign(document.createElement('form'), { action: 'https://example.org/' });
      document.body.append(form);
      form.submit();
    }));
    assert.deepEqual(refused.sort(), ['connect-src', 'form-action', 'frame-src'], `${where}: refused requests`);
    const stored = await tab.evaluate(() => document.cookie + localStorage.length + sessionStorage.length);
    assert.equal(stored, '00', `${where}: cookies or storage`);
    assert.deepEqual(requests, [], `${where}: requests that left the page, or errors`);
  } finally {
    await tab.close();
    timings.push(`${where} ${((Date.now() - began) / 1000).toFixed(1)} s`);
  }
}

// A module that cannot start, and a browser with JavaScript off.
const broken = await chromium(['--js-flags=--wasm-max-mem-pages=2']);
try {
  const tab = await puppeteerTab(broken, desktop);
  await tab.open(url);
  await tab.waitFor(() => document.getElementById('status').textContent.includes('Das Programm konnte nicht starten'));
  await tab.page.setJavaScriptEnabled(false);
  await tab.open(url);
  const shown = await tab.evaluate(() => [...document.querySelectorAll('main > :not(header, noscript)')]
    .filter((element) => element.offsetHeight > 0).map((element) => element.id)
    .concat(document.body.innerText.includes('JavaScript')));
  assert.deepEqual(shown, [true], 'with JavaScript off: all hidden but the header and the message');
} finally {
  await broken.close();
}

// The app folder served under a sub-path, as from any web server: installable,
// working offline once visited, and replaced by a new version on the server
// within two visits, its old cache gone.
let served = appFolder;
const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json' };
const server = createServer((request, response) => {
  const path = new URL(request.url, 'http://any').pathname.replace(/^\/apps\/euro\/(index\.html)?/, '');
  const file = decodeURIComponent(path) || 'index.html';
  try {
    const body = readFileSync(join(served, file));
    response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'image/png' }).end(body);
  } catch {
    response.writeHead(404).end();
  }
});
const listen = (port) => new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
const app = await openTab('chromium', desktop);
try {
  await listen(0);
  const { port } = server.address();
  const home = `http://127.0.0.1:${port}/apps/euro/`;
  const requests = [];
  await open(app, home, requests);
  await app.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  const cdp = await app.page.createCDPSession();
  const { errors } = await cdp.send('Page.getAppManifest');
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual([errors, installabilityErrors], [[], []], 'the app: its manifest, its installability');
  await new Promise((resolve) => { server.close(resolve); server.closeAllConnections(); });
  await open(app, home);
  await runDialogs(app, 'the app offline', [cases[1]], desktop.width);
  served = mkdtempSync(join(tmpdir(), 'euro-umrechner-app-'));
  cpSync(appFolder, served, { recursive: true });
  for (const name of readdirSync(served).filter((file) => !file.endsWith('.png'))) {
    writeFileSync(join(served, name), readFileSync(join(served, name), 'utf8').replaceAll(version, 'next'));
  }
  await listen(port);
  await open(app, home);
  await app.waitFor(() => caches.keys().then((keys) => keys.length > 0 && keys.every((key) => key.includes('next'))));
  await open(app, home);
  assert.equal(await app.evaluate(() => document.title), 'Euro-Umrechner next', 'the app: the new version');
  assert.deepEqual(requests, [], 'the app: requests that left its origin, or errors');
} finally {
  server.close();
  await app.close();
  if (served !== appFolder) {
    rmSync(served, { recursive: true });
  }
}
console.log(`${cases.length} dialogs: the native program's bytes; ${timings.join(', ')}`);
