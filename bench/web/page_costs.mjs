// What the page costs in headless chromium (SwiftShader, so on the CPU):
// the time to its first picture, frames drawn per second and CPU while a
// swatch is dragged, while colour spreads, and at rest, at rest on a phone's
// viewport too (PHONE_PICTURE=file.png saves what it shows), and the site's
// download size with gzip. CPU is chromium's, every process summed, in
// percent of one core.
// Usage: node --experimental-websocket bench/web/page_costs.mjs build-web/site
import { readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { gzipSync } from 'node:zlib';

const site = process.argv[2];
process.env.QUILLMERE_SITE = site;
const { canvasBox, waitForScene, withSite } = await import('../../tests/web/site_session.mjs');
const { encodePng } = await import('../../tests/web/png.mjs');

// Counts animation frames in which WebGL drew.
const drawCounter = `(() => {
  window.__drawn = 0;
  let marked = false;
  for (const name of ['drawArrays', 'drawElements', 'clear']) {
    const original = WebGLRenderingContext.prototype[name];
    WebGLRenderingContext.prototype[name] = function (...args) {
      if (!marked) { marked = true; window.__drawn++; requestAnimationFrame.call(window, () => { marked = false; }); }
      return original.apply(this, args);
    };
  }
})();`;

function chromiumTicks() {
  let ticks = 0;
  for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      if (!readFileSync(`/proc/${pid}/cmdline`, 'latin1').includes('chromium')) continue;
      const stat = readFileSync(`/proc/${pid}/stat`, 'latin1');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      ticks += Number(fields[11]) + Number(fields[12]);
    } catch { /* gone meanwhile */ }
  }
  return ticks;
}

async function measure(page, seconds, during = async () => sleep(seconds * 1000)) {
  const drawnBefore = await page.evaluate('__drawn');
  const ticksBefore = chromiumTicks();
  const start = Date.now();
  await during();
  const elapsed = (Date.now() - start) / 1000;
  return {
    framesPerSecond: ((await page.evaluate('__drawn')) - drawnBefore) / elapsed,
    cpuPercent: (chromiumTicks() - ticksBefore) / elapsed, // 100 ticks a second
  };
}

const results = {};
await withSite('/?no-banner&seed=7', { scripts: [drawCounter] }, async ({ page }) => {
  await waitForScene(page);
  results.firstPictureMs = Math.round(await page.evaluate(
    "performance.getEntriesByName('first-contentful-paint')[0]?.startTime"));
  await page.waitFor('__probe.framesPending === 0 && __probe.timersPending === 0');
  results.atRest = await measure(page, 10);

  const box = await canvasBox(page);
  const at = (x, y) => ({ x: box.x + x, y: box.y + y });
  // A swatch dragged in circles over canvas A for five seconds.
  results.dragging = await measure(page, 5, async () => {
    const centre = at(340, 410);
    await page.mouse('mouseMoved', at(120, 50).x, at(120, 50).y);
    await page.mouse('mousePressed', at(120, 50).x, at(120, 50).y);
    const end = Date.now() + 5000;
    for (let i = 0; Date.now() < end; i++) {
      const a = i / 20;
      await page.mouse('mouseMoved', centre.x + 100 * Math.cos(a), centre.y + 100 * Math.sin(a), { buttons: 1 });
      await sleep(16);
    }
    await page.mouse('mouseReleased', centre.x + 100, centre.y);
  });
  // The swatch left on the canvas keeps colouring it and the colour spreads.
  results.spreading = await measure(page, 10);
});

// A phone: 390 by 844 at devicePixelRatio 3, at rest, and its picture.
const phone = { width: 390, height: 844, deviceScaleFactor: 3, phone: true, scripts: [drawCounter] };
await withSite('/?no-banner&seed=7', phone, async ({ page }) => {
  await waitForScene(page);
  await page.waitFor('__probe.framesPending === 0 && __probe.timersPending === 0');
  const box = await canvasBox(page);
  results.phone = { canvas: `${box.bufferWidth}x${box.bufferHeight} device pixels, ${box.width}x${box.height} CSS`,
                    atRest: await measure(page, 10) };
  if (process.env.PHONE_PICTURE) {
    writeFileSync(process.env.PHONE_PICTURE, encodePng(await page.screenshot()));
  }
});

results.siteGzipBytes = 0;
for (const name of readdirSync(site)) {
  const file = join(site, name);
  if (statSync(file).isFile()) results.siteGzipBytes += gzipSync(readFileSync(file), { level: 9 }).length;
}
console.log(JSON.stringify(results, null, 2));
