// The page as an app: installable, and after one visit it opens with no
// server at all.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { canvasBox, waitForScene, withSite } from './site_session.mjs';

test('the page is installable, and after one visit it opens and runs with the server gone', async () => {
  await withSite('/?seed=7', async (site) => {
    const { page } = site;
    const { installabilityErrors } = await page.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, [], 'chromium would not install the page');
    const cached = await page.evaluate(`navigator.serviceWorker.ready.then(async () => {
      const names = await caches.keys();
      const files = names.length === 1 ? await (await caches.open(names[0])).keys() : [];
      return { names, files: files.map((request) => new URL(request.url).pathname).sort() };
    })`);
    assert.equal(cached.names.length, 1, `caches: ${cached.names}`);
    for (const file of ['/', '/index.html', '/quillmere.js', '/quillmere.wasm', '/page.js', '/page.css']) {
      assert.ok(cached.files.includes(file), `${file} is not cached: ${cached.files}`);
    }

    await site.stopServing();
    const started = Date.now();
    await page.goto(site.url);
    await page.waitFor("document.querySelector('dialog#banner')?.open");
    const bannerMs = Date.now() - started;
    await page.key('Enter');
    await waitForScene(page);
    console.log(`offline reload: the banner after ${bannerMs} ms, the scene after ${Date.now() - started} ms`);
    assert.equal((await canvasBox(page)).bufferWidth, 1024);
  });
});
