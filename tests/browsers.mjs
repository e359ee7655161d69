// Debian's Chromium, Firefox ESR and WebKitGTK behind one small interface, for
// the page's test and benchmark: open(url), type(text) into the focused
// element, press(key), click(selector), evaluate(function, ...args) returning
// JSON, waitFor(function, ...args), close(). Chromium and Firefox go through
// puppeteer-core (`page` is puppeteer's), WebKit through WebKitWebDriver and
// selenium-webdriver, under an Xvfb started here when there is no display.
// Where an engine or the npm packages are missing, the process exits with 77,
// skipped, naming what is missing.
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';

const load = createRequire(new URL('../web/package.json', import.meta.url));
const programs = {
  chromium: '/usr/bin/chromium',
  firefox: '/usr/bin/firefox-esr',
  webkit: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
  driver: '/usr/bin/WebKitWebDriver',
  xvfb: '/usr/bin/Xvfb',
};

function need(engine) {
  const helpers = engine === 'webkit' ? ['driver', process.env.DISPLAY ? null : 'xvfb'] : [];
  const missing = [...helpers, engine].filter((name) => name && !existsSync(programs[name]));
  for (const name of engine === 'webkit' ? ['selenium-webdriver'] : ['puppeteer-core']) {
    try {
      load(name);
    } catch {
      missing.push(`npm package ${name} (npm ci in web/)`);
    }
  }
  if (missing.length > 0) {
    console.log(`SKIPPED: missing ${missing.map((name) => programs[name] ?? name).join(', ')}`);
    process.exit(77);
  }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
async function waitFor(evaluate, fn, args) {
  for (let tries = 0; !(await evaluate(fn, ...args)); ++tries) {
    if (tries === 200) {
      throw new Error(`waited 10 s in vain for ${fn}`);
    }
    await sleep(50);
  }
}

// Chromium as root needs --no-sandbox; `args` adds flags.
export async function chromium(args = []) {
  need('chromium');
  return load('puppeteer-core').launch({
    executablePath: programs.chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--no-first-run', ...args],
  });
}

// A tab of a puppeteer browser (Chromium or Firefox) with the common interface.
export async function puppeteerTab(browser, viewport) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const evaluate = (fn, ...args) => page.evaluate(fn, ...args);
  return {
    page,
    open: (url) => page.goto(url),
    type: (text) => page.keyboard.type(text),
    press: (key) => page.keyboard.press(key),
    click: (selector) => (viewport.hasTouch ? page.tap(selector) : page.click(selector)),
    evaluate,
    waitFor: (fn, ...args) => waitFor(evaluate, fn, args),
    close: () => page.close(),
  };
}

async function freePort() {
  const server = createServer().listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

async function webkitTab(viewport) {
  const { Builder, By, Key } = load('selenium-webdriver');
  const children = [];
  const env = { ...process.env };
  if (!env.DISPLAY) {
    const xvfb = spawn(programs.xvfb, ['-displayfd', '3', '-nolisten', 'tcp'],
      { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    children.push(xvfb);
    const display = await new Promise((resolve, reject) => {
      xvfb.stdio[3].once('data', resolve);
      xvfb.once('exit', () => reject(new Error(`${programs.xvfb} found no display to serve`)));
    });
    env.DISPLAY = `:${display.toString().trim()}`;
  }
  const port = await freePort();
  children.push(spawn(programs.driver, [`--port=${port}`], { env, stdio: 'ignore' }));
  const server = `http://127.0.0.1:${port}`;
  const stop = () => children.reverse().forEach((child) => child.kill());
  const driver = await waitFor(() => fetch(`${server}/status`).then(() => true, () => false), null, [])
    .then(() => new Builder().usingServer(server).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: programs.webkit, args: ['--automation'] },
    }).build())
    .catch((error) => {
      stop();
      throw error;
    });
  await driver.manage().window().setRect({ width: viewport.width, height: viewport.height });
  const keys = { Enter: Key.ENTER, Tab: Key.TAB };
  const evaluate = (fn, ...args) => driver.executeAsyncScript(
    `const done = arguments[arguments.length - 1];
     Promise.resolve((${fn})(...[...arguments].slice(0, -1))).then(done, (error) => done({ error: String(error) }));`,
    ...args);
  return {
    open: (url) => driver.get(url),
    type: (text) => driver.actions().sendKeys(text).perform(),
    press: (key) => driver.actions().sendKeys(keys[key] ?? key).perform(),
    click: (selector) => driver.findElement(By.css(selector)).click(),
    evaluate,
    waitFor: (fn, ...args) => waitFor(evaluate, fn, args),
    close: async () => {
      await driver.quit();
      stop();
    },
  };
}

// One tab in a fresh browser of the engine ('chromium', 'firefox' or 'webkit');
// its close() ends the browser too.
export async function openTab(engine, viewport) {
  need(engine);
  if (engine === 'webkit') {
    return webkitTab(viewport);
  }
  const browser = engine === 'chromium'
    ? await chromium()
    : await load('puppeteer-core').launch({ browser: 'firefox', executablePath: programs.firefox, headless: true });
  const tab = await puppeteerTab(browser, viewport);
  return { ...tab, browser, close: () => browser.close() };
}
