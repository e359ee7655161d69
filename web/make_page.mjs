// Writes the self-contained page: node make_page.mjs VERSION MODULE OUTPUT.
// The style, the script and the module (as base64 in a block of data) are
// inlined, and the Content-Security-Policy allows the style and the script by
// their hashes.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const [version, modulePath, outputPath] = process.argv.slice(2);
const source = (name) => readFileSync(new URL(name, import.meta.url), 'utf8');
const hash = (text) => `sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}`;
const style = source('page.css');
const script = source('page.js');
const page = source('page.html').replace(/@(\w+)@/g, (_, name) => ({
  VERSION: version, STYLE: style, SCRIPT: script, STYLE_HASH: hash(style), SCRIPT_HASH: hash(script),
  MODULE: readFileSync(modulePath).toString('base64'),
})[name]);
writeFileSync(outputPath, page);
