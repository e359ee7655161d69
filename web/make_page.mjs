// Writes the self-contained page and the web app's folder:
//   node make_page.mjs VERSION MODULE PAGE APP_FOLDER
// The style, the script and the module (as base64 in a block of data) are
// inlined, and the Content-Security-Policy allows the style and the script by
// their hashes. The folder's index.html is the same page, which also links
// the app's manifest and icons (the script registers the worker where it
// finds the manifest); the folder holds those files and the worker, sw.js.
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [version, modulePath, pagePath, appFolder] = process.argv.slice(2);
const source = (name) => readFileSync(new URL(name, import.meta.url));
const hash = (data) => `sha256-${createHash('sha256').update(data).digest('base64')}`;

// Fills in every @NAME@ of the template; an unknown name stops the build.
function fill(templateName, values) {
  return source(templateName).toString('utf8').replace(/@(\w+)@/g, (_, name) => {
    if (!Object.hasOwn(values, name)) {
      console.error(`make_page.mjs: ${templateName} names @${name}@, which has no value`);
      process.exit(1);
    }
    return values[name];
  });
}

const style = source('page.css').toString('utf8');
const script = source('page.js').toString('utf8');
const page = {
  VERSION: version, STYLE: style, SCRIPT: script, STYLE_HASH: hash(style), SCRIPT_HASH: hash(script),
  MODULE: readFileSync(modulePath).toString('base64'),
};
writeFileSync(pagePath, fill('page.html', {
  ...page,
  POLICY: 'img-src data:',
  LINKS: '<link rel="icon" href="data:,">',
  STORING: 'es sendet und speichert nichts',
}));

const icons = ['icon-192.png', 'icon-512.png', 'apple-touch-icon.png'];
rmSync(appFolder, { recursive: true, force: true });
mkdirSync(appFolder, { recursive: true });
writeFileSync(join(appFolder, 'index.html'), fill('page.html', {
  ...page,
  POLICY: "img-src 'self'; manifest-src 'self'; worker-src 'self'",
  LINKS: [
    '<link rel="manifest" href="manifest.webmanifest">',
    '<link rel="icon" href="icon-192.png" sizes="192x192">',
    '<link rel="apple-touch-icon" href="apple-touch-icon.png">',
  ].join('\n'),
  STORING: 'es sendet nichts und speichert nur seine eigenen Dateien in diesem Browser',
}));
for (const file of ['manifest.webmanifest', ...icons]) {
  copyFileSync(new URL(file, import.meta.url), join(appFolder, file));
}
const files = ['index.html', 'manifest.webmanifest', ...icons];
const contents = createHash('sha256');
files.forEach((file) => contents.update(readFileSync(join(appFolder, file))));
writeFileSync(join(appFolder, 'sw.js'), fill('sw.js', {
  VERSION: version,
  FILES: JSON.stringify(files),
  FILES_HASH: `sha256-${contents.digest('base64')}`,
}));
