// The web page's drawing against the native draw command, side by side: batch after batch,
// the native draw command (draw_timer) and then the page's own module in the browsers, drawing
// on a canvas of its own whose every wait for the screen is answered at once. What is timed is
// the drawing's own work: the fold, each stage's pixels put on the canvas, and the pauses at
// the stages, without the frames waited for. A machine's speed drifts over seconds, so each
// browser's batch is set against the native batch just before it, both after a few untimed
// drawings (tools/bench-web runs them all on one processor). Prints the medians of those ratios for Chromium with the module it runs (the one
// it suspends), for Chromium with the one that unwinds itself, which browsers that cannot
// suspend run, and for Firefox with its own; holds Chromium's own within 2 x the native draw
// command, and reports the others.
//
//   node web_draw_time.mjs PAGE_FOLDER DRAW_TIMER BATCHES

import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import { launch, serve } from '../tests/web/browsers.mjs';

const [pageFolder, drawTimer, batchesText] = process.argv.slice(2);
const batches = Number(batchesText);
const kChromiumTarget = 2;
const kDrawingsABatch = 10;  // enough to outlast the browsers' coarse clocks (Firefox: 1 ms)

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor((sorted.length - 1) / 2)];
}

// The native draw command, asked for one batch at a time: milliseconds a drawing.
function nativeTimer() {
    const timer = spawn(drawTimer, [], { stdio: ['pipe', 'pipe', 'inherit'] });
    const answers = createInterface({ input: timer.stdout })[Symbol.asyncIterator]();
    return {
        async time(drawings) {
            timer.stdin.write(`${drawings}\n`);
            const { value, done } = await answers.next();
            if (done)
                throw new Error(`${drawTimer} ended without an answer`);
            return Number(value);
        },
        stop: () => timer.stdin.end(),
    };
}

const kWarmUpDrawings = 3;

// Runs in the page: loads the module the page would with a page of the benchmark's own, draws
// until the browser has compiled it fully, and leaves globalThis.timeDrawings(drawings), which
// gives the milliseconds a drawing took over that many. Gives the module's file.
const setUp = `(async () => {
    const { loadForm1 } = await import('./form1-module.js');
    const { moduleFile } = await import('./pausing-module.js');
    const module = await WebAssembly.compileStreaming(fetch(moduleFile));
    const canvas = document.createElement('canvas');
    const context = canvas.getContext('2d');
    const form1 = await loadForm1(module, {
        pictureMade(width, height) { canvas.width = width; canvas.height = height; },
        present(image, left, top, width, height) { context.putImageData(image, 0, 0, left, top, width, height); },
        showBusy() {}, describePicture() {}, announce() {},
        fail(message) { throw new Error(message); },
        now: () => performance.now(),
        visible: () => true,
        waitForFrame: async () => true,
        waitUntil: async () => {},
        write() {},
    });
    await form1.makePicture(577, 417);
    for (let i = 0; i < 30; ++i)
        await form1.command1Click();
    globalThis.timeDrawings = async (drawings) => {
        for (let i = 0; i < ${kWarmUpDrawings}; ++i)
            await form1.command1Click();
        const started = performance.now();
        for (let i = 0; i < drawings; ++i)
            await form1.command1Click();
        return (performance.now() - started) / drawings;
    };
    return moduleFile;
})()`;

// What is timed: a browser, and whether its page is kept from suspending the module.
const runs = [
    { name: 'chromium', browser: 'chromium', unwinding: false },
    { name: 'chromium, unwinding', browser: 'chromium', unwinding: true },
    { name: 'firefox', browser: 'firefox', unwinding: false },
];

const server = await serve(pageFolder);
const native = nativeTimer();
const browsers = new Map();
const nativeTimes = [];
try {
    for (const run of runs) {
        if (!browsers.has(run.browser))
            browsers.set(run.browser, await launch(run.browser));
        run.page = await browsers.get(run.browser).newPage();
        if (run.unwinding)
            await run.page.evaluateOnNewDocument('delete WebAssembly.Suspending');
        await run.page.goto(`${server.origin}/`);
        run.module = await run.page.evaluate(setUp);
        run.times = [];
        run.ratios = [];
    }
    for (let batch = 0; batch < batches; ++batch) {
        for (const run of runs) {
            await run.page.bringToFront();
            const nativeTime = await native.time(kDrawingsABatch);
            const time = await run.page.evaluate(`timeDrawings(${kDrawingsABatch})`);
            nativeTimes.push(nativeTime);
            run.times.push(time);
            run.ratios.push(time / nativeTime);
        }
    }
} finally {
    native.stop();
    for (const browser of browsers.values())
        await browser.close();
    server.stop();
}

console.log(`medians of ${batches} batches of ${kDrawingsABatch} drawings each`);
console.log(`${'native draw command'.padEnd(48)} ${median(nativeTimes).toFixed(2).padStart(6)} ms a drawing`);
for (const run of runs) {
    const label = `${run.name} (${run.module})`;
    console.log(`${label.padEnd(48)} ${median(run.times).toFixed(2).padStart(6)} ms a drawing, ${median(run.ratios).toFixed(2)} x native`);
}
const chromium = median(runs[0].ratios);
console.log(`chromium/native ${chromium.toFixed(2).padStart(6)}   target <= ${kChromiumTarget}    ${chromium <= kChromiumTarget ? 'PASS' : 'FAIL'}`);
process.exitCode = chromium <= kChromiumTarget ? 0 : 1;
