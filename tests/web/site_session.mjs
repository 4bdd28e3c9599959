// What the site's tests share: a page of the site in its own headless
// chromium, with the probe of page_probe.js in place, and the scene's places
// and colours as the desktop tests know them.
import { readFileSync } from 'node:fs';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchBrowser } from './devtools.mjs';
import { pixelAt } from './png.mjs';
import { serve } from './static_server.mjs';

const probeSource = readFileSync(new URL('./page_probe.js', import.meta.url), 'utf8');

// Opens `path` (with its query) of the built site, with the probe and any
// other scripts run before the page's own. Closing the session ends
// chromium and the server.
async function openSite(path, { deviceScaleFactor = 1, width = 1200, height = 950, scripts = [], phone = false } = {}) {
  const server = await serve(process.env.QUILLMERE_SITE);
  let page;
  try {
    page = await launchBrowser({ width, height, deviceScaleFactor });
    for (const source of [probeSource, ...scripts]) await page.addInitScript(source);
    if (phone) await page.emulatePhone({ width, height, deviceScaleFactor });
    await page.goto(new URL(path, server.url).href);
  } catch (error) {
    await page?.close();
    await server.close();
    throw error;
  }
  let serving = true;
  const stopServing = async () => { if (serving) { serving = false; await server.close(); } };
  return { page, url: new URL(path, server.url).href, stopServing, close: async () => { await page.close(); await stopServing(); } };
}

// Runs `use` on a session of openSite (options may be left out), closed
// however `use` ends, and returns what it returns.
export async function withSite(path, options, use) {
  if (typeof options === 'function') [options, use] = [{}, options];
  const site = await openSite(path, options);
  try {
    return await use(site);
  } finally {
    await site.close();
  }
}

// The canvas's box on the page, in CSS pixels, and its drawing buffer.
export function canvasBox(page) {
  return page.evaluate(`(() => {
    const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height,
             bufferWidth: c.width, bufferHeight: c.height,
             shown: !c.hidden && getComputedStyle(c).visibility === 'visible' };
  })()`);
}

// The canvas as the page shows it, at device pixels.
export async function canvasImage(page) {
  const { x, y, width, height } = await canvasBox(page);
  return page.screenshot({ x, y, width, height });
}

// Polls the canvas until it is shown and `seen(image)` holds; the last
// image otherwise.
export async function waitForCanvas(page, seen, { timeoutMs = 10000 } = {}) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const box = await canvasBox(page);
    const image = box.shown && box.width > 0 ? await canvasImage(page) : { width: 0, height: 0 };
    if (image.width && seen(image)) return { ok: true, image };
    if (Date.now() > end) return { ok: false, image };
    await sleep(100);
  }
}

// The swatches' colours mixed on white as drawn, and where the scene puts
// things, in its units (one CSS pixel each at a ratio of 1).
export const scene = {
  swatchTop: 30,
  swatchLeft: (n) => 100 + 50 * n,
  canvasA: { left: 100, top: 170 },
  cellCentre: (grid, column, row) => ({ x: grid.left + 10 * column + 5, y: grid.top + 10 * row + 5 }),
};

export function rgbAt(image, x, y, factor = 1) {
  return pixelAt(image, Math.floor(x * factor), Math.floor(y * factor)).slice(0, 3);
}
export const isWhite = ([r, g, b]) => r > 250 && g > 250 && b > 250;
export const isReddish = ([r, g, b]) => r > 200 && g < 200 && b < 200 && r - g > 40;
export const isNear = (a, b, step = 12) => a.every((v, i) => Math.abs(v - b[i]) <= step);

// The scene drawn: the red swatch's middle is not white.
export async function waitForScene(page) {
  const { ok } = await waitForCanvas(page, (image) => !isWhite(rgbAt(image, 115, 45, image.width / 1024)));
  if (!ok) throw new Error('the scene was not drawn: the red swatch is missing');
}

// Where `picture` is not `reference` with every pixel scaled by `factor`,
// within `step`: '' when nowhere, else how many pixels and the first.
export function scaledDifference(reference, picture, factor, step = 1) {
  if (picture.width !== reference.width * factor || picture.height !== reference.height * factor) {
    return `${picture.width}x${picture.height} where ${reference.width * factor}x${reference.height * factor} was expected`;
  }
  let count = 0;
  let first = '';
  for (let y = 0; y < picture.height; y++) {
    for (let x = 0; x < picture.width; x++) {
      const want = pixelAt(reference, Math.floor(x / factor), Math.floor(y / factor));
      const got = pixelAt(picture, x, y);
      if ([0, 1, 2].some((i) => Math.abs(want[i] - got[i]) > step)) {
        if (!count++) first = `(${x}, ${y}) is ${got.slice(0, 3)} where ${want.slice(0, 3)} was expected`;
      }
    }
  }
  return count ? `${count} pixels differ; the first: ${first}` : '';
}

// At rest: nothing scheduled, and nothing runs for a second. Waits first
// for the scheduling of the last change to end.
export async function expectAtRest(page, assert) {
  await page.waitFor('__probe.framesPending === 0 && __probe.timersPending === 0', { timeoutMs: 5000 });
  await page.evaluate('__probe.reset()');
  await sleep(1000);
  const probe = await page.evaluate('__probe');
  assert.deepEqual(
    { framesRun: probe.framesRun, timersSet: probe.timersSet, framesPending: probe.framesPending, timersPending: probe.timersPending },
    { framesRun: 0, timersSet: 0, framesPending: 0, timersPending: 0 },
    'a page at rest ran or scheduled something');
}
