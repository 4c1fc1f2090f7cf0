// The page's module under Node.js, with a page of its own that keeps the canvas in memory
// and a clock that moves only when the module waits: the window's layout, a click's 73
// paced stages and its exact picture, a hidden page, frames that never come, a change of
// density, clicks made during a drawing, and a picture that cannot be made. Each module given
// is tested: the one that Asyncify pauses everywhere, the one that the host suspends where this
// Node.js can (JavaScript Promise Integration).
//
//   node module_test.mjs NATIVE_FIGURE_IMAGE MODULE.wasm...

import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { basename } from 'node:path';
import test, { describe } from 'node:test';
import { loadForm1 } from '../../window/web/page/form1-module.js';
import { canSuspend, needsSuspending } from '../../window/web/page/pausing-module.js';
import { nativeFigure } from './native-figure.mjs';

const [nativeFigureImage, ...wasmFiles] = process.argv.slice(2);
// Node.js has no ImageData; the page's module needs only its three fields.
globalThis.ImageData ??= class { constructor(data, width, height) { Object.assign(this, { data, width, height }); } };

// The page as the module meets it. frames: 'shown' (a frame every 16.7 ms) or 'never'.
function fakePage({ visible = true, frames = 'shown' } = {}) {
    const page = {
        time: 1000, width: 0, height: 0, canvas: null, presents: 0, frameWaits: 0,
        events: [], stderr: '', failures: [],
        pictureMade(width, height) {
            page.width = width;
            page.height = height;
            page.canvas = new Uint8ClampedArray(width * height * 4);
        },
        present(image, left, top, width, height) {
            for (let row = top; row < top + height; ++row) {
                const start = (row * image.width + left) * 4;
                page.canvas.set(image.data.subarray(start, start + width * 4), start);
            }
            page.presents += 1;
        },
        showBusy: (busy) => page.events.push(busy ? 'busy' : 'idle'),
        describePicture: (text) => page.events.push(`described ${text}`),
        announce: (text) => page.events.push(`announced ${text}`),
        fail: (message, line) => page.failures.push({ message, line }),
        now: () => page.time,
        visible: () => visible,
        async waitForFrame(deadline) {
            page.frameWaits += 1;
            if (frames === 'shown') {
                page.time += 1000 / 60;
                return true;
            }
            page.time = Math.max(page.time, deadline);
            return false;
        },
        async waitUntil(due) { page.time = Math.max(page.time, due); },
        write(fd, text) { page.stderr += text; },
    };
    return page;
}

function assertShowsFigure(page, width, height) {
    assert.equal(page.width, width);
    assert.equal(page.height, height);
    assert.ok(Buffer.from(page.canvas).equals(nativeFigure(nativeFigureImage, width, height)),
        `the canvas at ${width} x ${height} differs from the native figure`);
}

const modules = await Promise.all(wasmFiles.map(async (file) => [file, await WebAssembly.compile(await readFile(file))]));
for (const [wasmFile, wasm] of modules) describe(basename(wasmFile), {
    skip: needsSuspending(wasm) && !canSuspend && 'this Node.js cannot suspend WebAssembly (JavaScript Promise Integration)',
}, () => {
    async function drawnForm1(options) {
        const page = fakePage(options);
        const form1 = await loadForm1(wasm, page);
        await form1.makePicture(577, 417);
        page.presents = 0;
        return { page, form1 };
    }

    test('the layout comes from the control table, in CSS pixels', async () => {
        const { layout } = await loadForm1(wasm, fakePage());
        assert.equal(layout.caption, 'Form1');
        assert.deepEqual([layout.width, layout.height], [799, 460]);
        assert.deepEqual(layout.controls.map((c) => c.name),
            ['Picture1', 'Command1', 'Label1', 'Text1', 'Label2', 'Text2', 'Command3']);
        const picture = layout.controls[0];
        assert.deepEqual([picture.left, picture.top, picture.width, picture.height], [16, 8, 577, 417]);
        assert.deepEqual(layout.controls.map((c) => c.text), ['', '描画', '形式1最大値', '60', '表示最大値', '90', '描画中止']);
        assert.equal(layout.controls.find((c) => c.name === 'Label1').captions, 'Text1');
        assert.deepEqual(layout.focusOrder, ['Command1', 'Text1', 'Text2', 'Command3']);
        assert.equal(layout.pictureName, '描画領域');
    });

    test('a click draws the native figure in 73 stages, each waiting for its frame', async () => {
        const { page, form1 } = await drawnForm1();
        await form1.command1Click();
        assert.equal(page.frameWaits, 73);
        assert.equal(page.presents, 74, '73 stages and the last 183 segments');
        assertShowsFigure(page, 577, 417);
        assert.deepEqual(page.events, ['busy', 'idle', 'described 二つのドラゴン曲線が描かれています', 'announced 描画が終わりました']);
    });

    test('a hidden page draws without waiting for frames it will not get', async () => {
        const { page, form1 } = await drawnForm1({ visible: false });
        const started = page.time;
        await form1.command1Click();
        assert.equal(page.frameWaits, 0);
        assert.equal(page.time, started);
        assertShowsFigure(page, 577, 417);
    });

    test('frames that never come hold a drawing for about 2.4 s, no more', async () => {
        const { page, form1 } = await drawnForm1({ frames: 'never' });
        const started = page.time;
        await form1.command1Click();
        const waited = page.time - started;
        assert.equal(page.frameWaits, 73);
        assert.ok(waited > 2000 && waited < 2600, `waited ${waited} ms`);
        assertShowsFigure(page, 577, 417);
    });

    test('clicks made during a drawing are handled after it, in order', async () => {
        const { page, form1 } = await drawnForm1();
        await Promise.all([form1.command1Click(), form1.command3Click(), form1.command1Click()]);
        assert.deepEqual(page.events.filter((e) => e === 'busy' || e === 'idle'), ['busy', 'idle', 'busy', 'idle']);
        assert.equal(page.frameWaits, 146);
        assertShowsFigure(page, 577, 417);
    });

    test('a new density makes the picture anew and draws a drawn figure again at it', async () => {
        const { page, form1 } = await drawnForm1();
        await form1.command1Click();
        for (const [width, height] of [[866, 626], [1154, 834], [721, 521], [1731, 1251]]) {
            await form1.densityChanged(width, height);
            assertShowsFigure(page, width, height);
        }
    });

    for (const [width, height, line] of [
        [577, 0, /^dragonfold: 予期しない失敗のため終了します。 the height of a retained image must be 1 to 32767 pixels, not 0\n$/],
        // 4 GB of pixels: more than a WebAssembly module's memory can ever hold.
        [32767, 32767, /^dragonfold: ウィンドウシステムの失敗のため終了します。 the browser refused the memory the window needs: 4294705156 bytes\n$/],
    ]) {
        test(`a picture of ${width} x ${height} that cannot be made ends the module with the failure line`, async () => {
            const page = fakePage();
            const form1 = await loadForm1(wasm, page);
            await assert.rejects(form1.makePicture(width, height), WebAssembly.RuntimeError);
            assert.match(page.stderr, line);
        });
    }
});
