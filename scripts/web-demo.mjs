// Serves the web build's site on localhost and prints its address. With
// --screenshot FILE it instead opens the page in headless chromium, drags
// the red and blue swatches onto the large canvas as a user would, lets the
// colour spread for three seconds, saves the canvas as a PNG and stops.
// Usage: node --experimental-websocket web-demo.mjs SITE [--port N] [--screenshot FILE]
import { writeFileSync } from 'node:fs';
import { setTimeout as sleep } from 'node:timers/promises';
import { parseArgs } from 'node:util';
import { encodePng } from '../tests/web/png.mjs';
import { serve } from '../tests/web/static_server.mjs';

const { values, positionals } = parseArgs({
  allowPositionals: true,
  options: { port: { type: 'string', default: '8080' }, screenshot: { type: 'string' } },
});
const site = positionals[0];
if (!values.screenshot) {
  const server = await serve(site, { port: Number(values.port) });
  console.log(`Quillmere is served at ${server.url} (Ctrl-C stops it)`);
} else {
  process.env.QUILLMERE_SITE = site;
  const { canvasBox, canvasImage, waitForScene, withSite } = await import('../tests/web/site_session.mjs');
  await withSite('/?no-banner', async ({ page }) => {
    await waitForScene(page);
    const box = await canvasBox(page);
    const at = (x, y) => ({ x: box.x + x, y: box.y + y });
    await page.drag(at(120, 50), at(250, 300));
    await page.drag(at(220, 50), at(420, 450));
    await sleep(3000);
    writeFileSync(values.screenshot, encodePng(await canvasImage(page)));
  });
  console.log(`Saved a screenshot of Quillmere in headless chromium to ${values.screenshot}`);
}
