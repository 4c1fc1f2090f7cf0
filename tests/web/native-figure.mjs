// The figure the native core draws at a size (tools/programs/figure_image), as the RGBA bytes a
// canvas holds: what the web page's picture must equal, byte for byte.

import { execFileSync } from 'node:child_process';

export function nativeFigure(figureImage, width, height) {
    const ppm = execFileSync(figureImage, [String(width), String(height)], { maxBuffer: 1 << 26 });
    const header = `P6\n${width} ${height}\n255\n`.length;
    const rgba = Buffer.alloc(width * height * 4, 255);
    for (let i = 0; i < width * height; ++i)
        ppm.copy(rgba, i * 4, header + i * 3, header + i * 3 + 3);
    return rgba;
}
