// What the browser tests and the web benchmark share: the page's folder served as any static
// server serves it, and Debian's own Chromium and Firefox, driven by puppeteer-core.

import { spawn } from 'node:child_process';
import puppeteer from 'puppeteer-core';

// Serves folder on 127.0.0.1 with python3 -m http.server, at a port it picks; stop() ends it.
export async function serve(folder) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0', '--directory', folder],
                         { stdio: ['ignore', 'pipe', 'ignore'] });
    const origin = await new Promise((resolve, reject) => {
        let said = '';
        server.stdout.on('data', (data) => {
            said += data;
            const port = /port (\d+)/.exec(said);
            if (port)
                resolve(`http://127.0.0.1:${port[1]}`);
        });
        server.on('exit', () => reject(new Error(`python3 -m http.server ended: ${said}`)));
    });
    return { origin, stop: () => server.kill() };
}

// 'chromium' (its headless shell) or 'firefox', with a screen of zoom device pixels a CSS
// pixel, as a dense screen or the desktop's scale gives. (Chromium's emulated scale does not
// reach the canvas's device-pixel-content-box, which a real one does.) args are Chromium's.
export function launch(browserName, { zoom = 1, args = [] } = {}) {
    return puppeteer.launch(browserName === 'chromium'
        ? { browser: 'chrome', executablePath: '/usr/bin/chromium-headless-shell', headless: 'shell',
            args: ['--no-sandbox', `--force-device-scale-factor=${zoom}`, ...args] }
        : { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true, defaultViewport: null,
            extraPrefsFirefox: { 'layout.css.devPixelsPerPx': String(zoom) } });
}
