// Writes the self-contained page: node make_page.mjs VERSION MODULE OUTPUT.
// The style and the script are inlined, the module as base64 in the script,
// and the Content-Security-Policy allows exactly these two by their hashes.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const [version, modulePath, outputPath] = process.argv.slice(2);
const source = (name) => readFileSync(new URL(name, import.meta.url), 'utf8');
const hash = (text) => `sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}`;
const style = source('page.css');
const script = source('page.js').replace('@MODULE@', () => readFileSync(modulePath).toString('base64'));
const page = source('page.html').replace(/@(\w+)@/g, (_, name) => ({
  VERSION: version, STYLE: style, SCRIPT: script, STYLE_HASH: hash(style), SCRIPT_HASH: hash(script),
})[name]);
writeFileSync(outputPath, page);
