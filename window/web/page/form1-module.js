// Instantiates the page's compiled module (moduleFile of pausing-module.js) with the browser's
// half that the page hands in, and gives the page Form1's layout and its commands.
//
// page: { pictureMade(width, height), present(image, left, top, width, height), showBusy(busy),
//         describePicture(text), announce(text), fail(message, line), now(), visible(),
//         waitForFrame(deadline), waitUntil(due), write(fd, text) }; waitForFrame and
//         waitUntil return promises, of whether the frame came before the deadline and of
//         nothing. present puts the rectangle of image, the canvas's whole picture, on it.

import { pausingFor } from './pausing-module.js';
import { wasiImports } from './wasi.js';

export async function loadForm1(module, page) {
    let exports = null;
    const memory = () => exports.memory;
    const decoder = new TextDecoder();
    const text = (address, length) => decoder.decode(new Uint8Array(memory().buffer, address, length));
    const pausing = pausingFor(module);

    // The canvas's pixels in the module's memory, as one ImageData, made again when the
    // picture is or when the memory grew (which leaves the old view empty).
    let size = null;
    let image = null;
    const canvasImage = () => {
        if (image === null || image.data.byteLength === 0) {
            const bytes = new Uint8ClampedArray(memory().buffer, exports.canvasPixels(), size.width * size.height * 4);
            image = new ImageData(bytes, size.width, size.height);
        }
        return image;
    };

    const instance = await WebAssembly.instantiate(module, {
        wasi_snapshot_preview1: wasiImports(memory, page.write),
        page: {
            pictureMade(width, height) {
                size = { width, height };
                image = null;
                page.pictureMade(width, height);
            },
            present: (left, top, width, height) => page.present(canvasImage(), left, top, width, height),
            showBusy: (busy) => page.showBusy(busy !== 0),
            describePicture: (address, length) => page.describePicture(text(address, length)),
            announce: (address, length) => page.announce(text(address, length)),
            fail: (message, messageLength, line, lineLength) =>
                page.fail(text(message, messageLength), text(line, lineLength)),
            now: () => page.now(),
            visible: () => (page.visible() ? 1 : 0),
            waitForFrame: pausing.pausing(async (deadline) => ((await page.waitForFrame(deadline)) ? 1 : 0)),
            waitUntil: pausing.pausing(async (due) => { await page.waitUntil(due); return 0; }),
        },
    });
    exports = instance.exports;
    exports._initialize();
    pausing.attach(exports);

    const layoutText = exports.layout();
    const bytes = new Uint8Array(memory().buffer, layoutText);
    const layout = JSON.parse(decoder.decode(bytes.subarray(0, bytes.indexOf(0))));
    return {
        layout,
        makePicture: (width, height) => pausing.call('makePicture', width, height),
        command1Click: () => pausing.call('command1Click'),
        command3Click: () => pausing.call('command3Click'),
        densityChanged: (width, height) => pausing.call('densityChanged', width, height),
    };
}
