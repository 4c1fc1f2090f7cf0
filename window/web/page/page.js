// The page's half of Form1: builds the window from the module's layout, with real buttons,
// labels and fields, hands the module the canvas, the frames and the clock, and shows a
// failure instead of the window when the module cannot go on.

import { loadForm1 } from './form1-module.js';
import { moduleFile } from './pausing-module.js';

const form = document.getElementById('Form1');
let stderr = '';

// The window is gone; what is left says why (headline, then cause), and logs the line.
function showFailure(message, line) {
    const text = document.createElement('p');
    text.className = 'failure';
    text.setAttribute('role', 'alert');
    text.textContent = message;
    form.replaceChildren(text);
    document.body.classList.remove('busy');
    console.error(line.trimEnd());
}

// A trap in the module, which has written the program's failure line first when it could.
function showTrap(error) {
    const line = stderr.trim().split('\n').pop() || `dragonfold: 予期しない失敗のため終了します。 ${error.message}`;
    showFailure(line.replace(/^dragonfold: /, '').replace('。 ', '。\n'), line);
}

// Waits for the next frame to be painted: its callbacks run before it is, so the module goes
// on in a task after them. false once deadline (performance.now()) passes first.
function waitForFrame(deadline) {
    return new Promise((resolve) => {
        let settled = false;
        const settle = (shown) => {
            if (settled)
                return;
            settled = true;
            clearTimeout(timer);
            resolve(shown);
        };
        const afterPaint = new MessageChannel();
        afterPaint.port1.onmessage = () => settle(true);
        requestAnimationFrame(() => afterPaint.port2.postMessage(null));
        const timer = setTimeout(() => settle(false), Math.max(0, deadline - performance.now()));
    });
}

function build(layout, commands) {
    document.title = layout.caption;
    form.style.width = `${layout.width}px`;
    form.style.height = `${layout.height}px`;
    const made = new Map();
    for (const control of layout.controls) {
        let element;
        switch (control.kind) {
        case 'PictureBox':
            element = document.createElement('canvas');
            element.setAttribute('role', 'img');
            element.setAttribute('aria-label', layout.pictureName);
            break;
        case 'CommandButton':
            element = document.createElement('button');
            element.type = 'button';
            element.textContent = control.text;
            break;
        case 'TextBox':
            element = document.createElement('input');
            element.type = 'text';
            element.value = control.text;
            element.spellcheck = false;
            break;
        default:
            element = document.createElement('label');
            element.htmlFor = control.captions;
            element.textContent = control.text;
        }
        element.id = control.name;
        element.style.left = `${control.left}px`;
        element.style.top = `${control.top}px`;
        element.style.width = `${control.width}px`;
        element.style.height = `${control.height}px`;
        form.append(element);
        made.set(control.name, element);
    }
    const description = document.createElement('span');
    description.id = 'PictureDescription';
    description.className = 'unseen';
    description.textContent = layout.pictureEmpty;
    const news = document.createElement('p');
    news.className = 'unseen';
    news.setAttribute('aria-live', 'polite');
    form.append(description, news);
    made.get('Picture1').setAttribute('aria-describedby', description.id);

    made.get('Command1').addEventListener('click', () => commands.command1Click().catch(showTrap));
    made.get('Command3').addEventListener('click', () => commands.command3Click().catch(showTrap));
    made.get(layout.focusOrder[0]).focus();
    const canvas = made.get('Picture1');
    return { canvas, context: canvas.getContext('2d'), description, news };
}

// The canvas's size in device pixels, as the browser lays it out at the present zoom.
function watchDeviceSize(canvas, changed) {
    const observer = new ResizeObserver(([entry]) => {
        const box = entry.devicePixelContentBoxSize?.[0];
        const width = box ? box.inlineSize : Math.round(entry.contentRect.width * devicePixelRatio);
        const height = box ? box.blockSize : Math.round(entry.contentRect.height * devicePixelRatio);
        changed(width, height);
    });
    try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
    } catch {
        observer.observe(canvas);
    }
}

async function start() {
    let view = null;
    const page = {
        pictureMade(width, height) {
            view.canvas.width = width;
            view.canvas.height = height;
        },
        present(image, left, top, width, height) {
            view.context.putImageData(image, 0, 0, left, top, width, height);
        },
        showBusy(busy) {
            document.body.classList.toggle('busy', busy);
            view.canvas.setAttribute('aria-busy', String(busy));
        },
        describePicture(text) { view.description.textContent = text; },
        announce(text) {
            view.news.textContent = '';
            setTimeout(() => { view.news.textContent = text; }, 50);
        },
        fail: showFailure,
        now: () => performance.now(),
        visible: () => document.visibilityState === 'visible',
        waitForFrame,
        waitUntil: (due) => new Promise((resolve) => setTimeout(resolve, Math.max(0, due - performance.now()))),
        write(fd, text) { if (fd === 2) stderr += text; else console.log(text); },
    };

    let form1;
    try {
        const module = await WebAssembly.compileStreaming(fetch(moduleFile))
            .catch(async () => WebAssembly.compile(await (await fetch(moduleFile)).arrayBuffer()));
        form1 = await loadForm1(module, page);
    } catch (error) {
        showFailure(`ウィンドウを表示できません。\nWebAssembly could not be loaded: ${error.message}`,
                    `dragonfold: ウィンドウを表示できません。 WebAssembly could not be loaded: ${error.message}`);
        return;
    }
    view = build(form1.layout, form1);
    let size = null;
    watchDeviceSize(view.canvas, (width, height) => {
        if (size !== null && size.width === width && size.height === height)
            return;
        const first = size === null;
        size = { width, height };
        (first ? form1.makePicture(width, height) : form1.densityChanged(width, height)).catch(showTrap);
    });
}

start();
