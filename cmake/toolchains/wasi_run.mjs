// Runs a WASI command module under Node, as qemu or wine run the other cross
// builds: node wasi_run.mjs MODULE [ARGUMENTS...], with this process's
// standard streams, environment and exit status.
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const args = process.argv.slice(2);
const wasi = new WASI({ version: 'preview1', args, env: process.env, returnOnExit: true });
const { instance } = await WebAssembly.instantiate(readFileSync(process.argv[2]), wasi.getImportObject());
process.exitCode = wasi.start(instance);
