// The web page in a real browser, served by python3 -m http.server as any static server
// would serve it: the window laid out from the control table, the focus and the keys, the
// picture exact to the device pixel at every zoom, what a screen reader meets, and a page
// that loads nothing but its own files and reports no error.
//
//   node browser_test.mjs chromium|firefox PAGE_FOLDER NATIVE_FIGURE_IMAGE

import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import test, { after, before } from 'node:test';
import { launch, serve } from './browsers.mjs';
import { nativeFigure } from './native-figure.mjs';

const [browserName, pageFolder, nativeFigureImage] = process.argv.slice(2);
const chromium = browserName === 'chromium';

let server;
let origin;
const browsers = new Map();

async function browserAt(zoom) {
    if (!browsers.has(zoom))
        browsers.set(zoom, await launch(browserName, { zoom }));
    return browsers.get(zoom);
}

before(async () => {
    server = await serve(pageFolder);
    origin = server.origin;
});

after(async () => {
    for (const browser of browsers.values())
        await browser.close();
    server?.stop();
});

// Waits until predicate holds in the page, asking it there every 20 ms. (Puppeteer's
// waitForFunction makes its function in the page with new Function, which the page's
// Content-Security-Policy refuses in Firefox.)
async function until(page, predicate, seconds = 30) {
    const held = await page.evaluate(`(async () => {
        for (const started = performance.now(); performance.now() - started < ${seconds * 1000};) {
            if ((${predicate})())
                return true;
            await new Promise((resolve) => setTimeout(resolve, 20));
        }
        return false;
    })()`);
    if (!held)
        throw new Error(`the page did not come to ${predicate} within ${seconds} s`);
}

// The two ways the page's module pauses at a stage (pausing-module.js), and the module each
// loads: suspended by the browser where it can, and unwinding its own stack, which the page
// takes where the browser cannot, as it does here once WebAssembly.Suspending is gone.
const ways = { suspended: 'dragonfold.wasm', unwinding: 'dragonfold-asyncify.wasm' };

async function takeWay(page, way) {
    if (way === 'unwinding')
        await page.evaluateOnNewDocument('delete WebAssembly.Suspending');
}

// The module file the page loaded.
function moduleLoaded(page) {
    return page.evaluate(() => performance.getEntriesByType('resource').map((entry) => entry.name)
        .filter((name) => name.endsWith('.wasm')).map((name) => name.slice(name.lastIndexOf('/') + 1)).join(' '));
}

// A fresh page at a zoom, watched for errors and requests elsewhere, its module paused the way
// given (else the browser's own). Both browsers report a violation of the page's
// Content-Security-Policy as an error, which is collected too.
async function openPage(zoom = 1, way = undefined) {
    const page = await (await browserAt(zoom)).newPage();
    const problems = [];
    page.on('console', (message) => {
        if (message.type() === 'error')
            problems.push(`console: ${message.text()}`);
    });
    page.on('pageerror', (error) => problems.push(`page error: ${error.message} ${error.stack}`));
    page.on('request', (request) => {
        if (!request.url().startsWith(`${origin}/`))
            problems.push(`request elsewhere: ${request.url()}`);
    });
    await takeWay(page, way);
    // Firefox ESR 140 cannot take puppeteer's viewport; its own window is larger than Form1.
    if (chromium)
        await page.setViewport({ width: 820, height: 480 });
    await page.goto(`${origin}/`);
    await until(page, () => document.getElementById('Picture1')?.width > 0);
    if (way !== undefined)
        assert.equal(await moduleLoaded(page), ways[way]);
    return { page, problems };
}

// Whether this browser can suspend WebAssembly at an import (JavaScript Promise Integration),
// asked once.
let suspends;
async function browserSuspends() {
    if (suspends === undefined) {
        const page = await (await browserAt(1)).newPage();
        suspends = await page.evaluate(() => typeof WebAssembly.Suspending === 'function');
        await page.close();
    }
    return suspends;
}

async function drawWith(page, key) {
    await page.keyboard.press(key);
    await until(page, () => !document.body.classList.contains('busy')
        && document.querySelector('[aria-live]').textContent === '描画が終わりました');
}

// SHA-256 of the canvas's RGBA bytes, and its size.
function canvasDigest(page) {
    return page.evaluate(async () => {
        const canvas = document.getElementById('Picture1');
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', pixels));
        return { width: canvas.width, height: canvas.height, digest: Array.from(digest, (b) => b.toString(16).padStart(2, '0')).join('') };
    });
}

function nativeDigest(width, height) {
    return createHash('sha256').update(nativeFigure(nativeFigureImage, width, height)).digest('hex');
}

test('the window is laid out from the control table, its focus starting on 描画', async () => {
    const { page, problems } = await openPage();
    const places = await page.evaluate(() => Array.from(document.querySelectorAll('#Form1 > [id]:not(.unseen)'), (element) => {
        const form = document.getElementById('Form1').getBoundingClientRect();
        const box = element.getBoundingClientRect();
        return [element.id, element.tagName, box.left - form.left, box.top - form.top, box.width, box.height,
                element.tagName === 'INPUT' ? element.value : element.textContent];
    }));
    assert.deepEqual(places, [
        ['Picture1', 'CANVAS', 16, 8, 577, 417, ''],
        ['Command1', 'BUTTON', 640, 8, 73, 25, '描画'],
        ['Label1', 'LABEL', 608, 48, 73, 17, '形式1最大値'],
        ['Text1', 'INPUT', 680, 40, 41, 25, '60'],
        ['Label2', 'LABEL', 608, 80, 73, 17, '表示最大値'],
        ['Text2', 'INPUT', 680, 72, 41, 25, '90'],
        ['Command3', 'BUTTON', 632, 184, 81, 25, '描画中止'],
    ]);
    assert.equal(await page.title(), 'Form1');
    const focus = [];
    for (let i = 0; i < 5; ++i) {
        focus.push(await page.evaluate(() => document.activeElement.id));
        await page.keyboard.press('Tab');
    }
    assert.deepEqual(focus.slice(0, 4), ['Command1', 'Text1', 'Text2', 'Command3']);
    assert.deepEqual(problems, []);
    await page.close();
});

test('Enter and Space draw the native figure; the fields keep their text', async () => {
    const { page, problems } = await openPage();
    await page.keyboard.press('Tab');
    await page.keyboard.type('abc');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    await drawWith(page, 'Enter');
    let shown = await canvasDigest(page);
    assert.equal(shown.digest, nativeDigest(577, 417));
    await drawWith(page, ' ');
    shown = await canvasDigest(page);
    assert.equal(shown.digest, nativeDigest(577, 417));
    assert.deepEqual(await page.evaluate(() => [Text1.value, Text2.value]), ['abc', '90']);
    assert.deepEqual(problems, []);
    await page.close();
});

for (const zoom of [1, 1.25, 1.5, 2, 3]) {
    test(`at device pixel ratio ${zoom} the canvas is the core's figure at its device size`, async () => {
        const { page, problems } = await openPage(zoom);
        await drawWith(page, 'Enter');
        const shown = await canvasDigest(page);
        assert.ok(Math.abs(shown.width - 577 * zoom) <= 1 && Math.abs(shown.height - 417 * zoom) <= 1,
            `a canvas of ${shown.width} x ${shown.height} device pixels`);
        assert.equal(shown.digest, nativeDigest(shown.width, shown.height), `${shown.width} x ${shown.height}`);
        assert.deepEqual(problems, []);
        await page.close();
    });
}

test('a screen reader meets named controls, the picture as an image, and the end of a drawing', { skip: !chromium }, async () => {
    const { page, problems } = await openPage();
    const client = await page.createCDPSession();
    const tree = async () => (await client.send('Accessibility.getFullAXTree')).nodes.filter((node) => !node.ignored);
    const named = (nodes, role) => nodes.filter((node) => node.role?.value === role).map((node) => node.name?.value);
    let nodes = await tree();
    assert.deepEqual(named(nodes, 'button'), ['描画', '描画中止']);
    assert.deepEqual(named(nodes, 'textbox'), ['形式1最大値', '表示最大値']);
    const picture = () => nodes.find((node) => node.role?.value === 'image');
    assert.equal(picture().name.value, '描画領域');
    assert.equal(picture().description?.value, 'まだ何も描かれていません');
    await drawWith(page, 'Enter');
    nodes = await tree();
    assert.equal(picture().description?.value, '二つのドラゴン曲線が描かれています');
    const live = nodes.find((node) => node.properties?.some((p) => p.name === 'live' && p.value.value === 'polite'));
    assert.ok(live, 'a polite live region');
    assert.deepEqual(problems, []);
    await page.close();
});

// Chromium's own frames, one at a time (begin-frame control): each reports whether it
// changed the screen. The page is not painted between them, so nothing but the drawing's
// pace decides how many stages show. Either way of pausing ends with the native figure.
for (const way of Object.keys(ways)) {
    test(`a drawing grows on screen in at least 70 of its 73 stages, over 65 to 110 frames, ${way}`, { skip: !chromium }, async () => {
        const paced = await launch('chromium', {
            args: ['--enable-begin-frame-control', '--run-all-compositor-stages-before-draw',
                   '--disable-threaded-animation', '--disable-threaded-scrolling', '--disable-checker-imaging'],
        });
        try {
            const browserSession = await paced.target().createCDPSession();
            const { targetId } = await browserSession.send('Target.createTarget', { url: 'about:blank', enableBeginFrameControl: true });
            const page = await (await paced.waitForTarget((target) => target._targetId === targetId)).page();
            await takeWay(page, way);
            const client = await page.createCDPSession();
            const frame = async () => (await client.send('HeadlessExperimental.beginFrame', { interval: 1000 / 60 })).hasDamage;
            const busy = () => page.evaluate(() => document.body.classList.contains('busy'));
            const loading = page.goto(`${origin}/`);
            let ready = false;
            for (let i = 0; i < 600 && !ready; ++i) {
                await frame();
                ready = await page.evaluate(() => document.getElementById('Picture1')?.width > 0).catch(() => false);
            }
            await loading;
            assert.equal(await moduleLoaded(page), ways[way]);
            for (let i = 0; i < 5; ++i)
                await frame();
            await page.keyboard.press('Enter');
            let frames = 0;
            let changed = 0;
            do {
                changed += (await frame()) ? 1 : 0;
                frames += 1;
            } while (frames < 1000 && await busy());
            // The last 183 segments come in the frame after the drawing.
            changed += (await frame()) ? 1 : 0;
            console.log(`# ${way}: ${changed} frames changed the screen, over ${frames} frames of drawing`);
            assert.ok(changed >= 70 && changed <= 74, `${changed} frames changed the screen`);
            assert.ok(frames >= 65 && frames <= 110, `the drawing lasted ${frames} frames`);
            assert.equal((await canvasDigest(page)).digest, nativeDigest(577, 417));
        } finally {
            await paced.close();
        }
    });
}

// Firefox has no frame control: the page counts its own animation frames, and those in which
// the canvas changed, from the press to the end of the drawing.
for (const way of Object.keys(ways)) {
    test(`a drawing grows on screen in at least 70 of its 73 stages, frame by frame, ${way}`, { skip: chromium }, async (t) => {
        if (way === 'suspended' && !await browserSuspends()) {
            t.skip('this Firefox cannot suspend WebAssembly: the page unwinds in it');
            return;
        }
        // A Firefox that cannot suspend takes the unwinding way of its own; only one that can
        // is told not to, before the page's scripts run.
        const { page, problems } = await openPage(1, way === 'unwinding' && !await browserSuspends() ? undefined : way);
        await page.evaluate(() => {
            const count = { frames: 0, changed: 0, dirty: false };
            const put = CanvasRenderingContext2D.prototype.putImageData;
            CanvasRenderingContext2D.prototype.putImageData = function (...args) {
                count.dirty = true;
                return put.apply(this, args);
            };
            const tick = () => {
                if (document.body.classList.contains('busy')) {
                    count.frames += 1;
                    count.changed += count.dirty ? 1 : 0;
                    count.dirty = false;
                }
                requestAnimationFrame(tick);
            };
            requestAnimationFrame(tick);
            window.stageCount = count;
        });
        await drawWith(page, 'Enter');
        assert.equal(await moduleLoaded(page), ways[way]);
        const { frames, changed } = await page.evaluate(() => window.stageCount);
        console.log(`# ${way}: ${changed} frames changed the canvas, over ${frames} frames of drawing`);
        assert.ok(changed >= 70, `${changed} frames changed the canvas`);
        assert.equal((await canvasDigest(page)).digest, nativeDigest(577, 417));
        assert.deepEqual(problems, []);
        await page.close();
    });
}

test('a screen reader finds each control by its role and name', { skip: chromium }, async () => {
    const { page, problems } = await openPage();
    const found = async (role, name) => (await page.$$(`::-p-aria([role="${role}"][name="${name}"])`)).length;
    for (const [role, name] of [['button', '描画'], ['button', '描画中止'], ['textbox', '形式1最大値'],
                                ['textbox', '表示最大値'], ['image', '描画領域']])
        assert.equal(await found(role, name), 1, `${role} ${name}`);
    assert.deepEqual(problems, []);
    await page.close();
});

test('without scripts or WebAssembly the page says why, never blank', async () => {
    const page = await (await browserAt(1)).newPage();
    const message = () => page.evaluate(() => document.getElementById('Form1').innerText.trim());
    if (chromium) {
        await page.setJavaScriptEnabled(false);
        await page.goto(`${origin}/`);
        assert.equal(await message(), 'ウィンドウを表示できません。\nJavaScript is turned off in this browser.');
        await page.setJavaScriptEnabled(true);
    }
    await page.evaluateOnNewDocument('delete globalThis.WebAssembly');
    await page.goto(`${origin}/`);
    await until(page, () => document.querySelector('.failure') !== null);
    assert.match(await message(), /^ウィンドウを表示できません。\nWebAssembly could not be loaded: /);
    await page.close();
});

test('every caption and field text is drawn in the captions\' own face, none falls back', { skip: !chromium }, async () => {
    const { page, problems } = await openPage();
    await page.evaluate(() => document.fonts.ready);
    const client = await page.createCDPSession();
    await client.send('DOM.enable');
    await client.send('CSS.enable');
    const { root } = await client.send('DOM.getDocument', { depth: -1, pierce: true });
    for (const id of ['Command1', 'Label1', 'Text1', 'Label2', 'Text2', 'Command3']) {
        const { nodeId } = await client.send('DOM.querySelector', { nodeId: root.nodeId, selector: `#${id}` });
        const { fonts } = await client.send('CSS.getPlatformFontsForNode', { nodeId });
        assert.deepEqual(fonts.map((font) => [font.familyName, font.isCustomFont]), [['Noto Sans CJK JP', true]], id);
    }
    assert.deepEqual(problems, []);
    await page.close();
});
