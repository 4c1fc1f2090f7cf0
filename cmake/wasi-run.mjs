// Runs a WebAssembly command built for WASI preview 1 under Node.js, as a native command
// runs: its arguments, the standard streams, and its exit status as this process's.
//
//   node wasi-run.mjs COMMAND.wasm [ARGUMENTS...]
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';

const [command, ...args] = process.argv.slice(2);
const wasi = new WASI({ version: 'preview1', args: [command, ...args], env: {}, returnOnExit: true });
try {
    const module = await WebAssembly.compile(await readFile(command));
    const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport });
    process.exitCode = wasi.start(instance);
} catch (failure) {
    // A trap, such as abort() after a failure's message: the command failed.
    console.error(`${command}: ${failure.message}`);
    process.exitCode = 1;
}
