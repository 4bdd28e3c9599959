// The program's page in headless chromium, driven as a user drives it, with
// the scenes of the desktop's end-to-end tests.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Modifiers } from './devtools.mjs';
import {
  canvasBox, canvasImage, expectAtRest, isNear, isReddish, isWhite, rgbAt, scaledDifference,
  scene, waitForCanvas, waitForScene, withSite,
} from './site_session.mjs';

// Scene units to the page's CSS pixels, at a ratio of 1.
async function toPage(page) {
  const box = await canvasBox(page);
  return ({ x, y }) => ({ x: box.x + x, y: box.y + y });
}

test('the banner holds everything back until OK is pressed, then the scene starts', async () => {
  await withSite('/?seed=7', async ({ page }) => {
    await page.waitFor("document.querySelector('dialog#banner')?.open");
    const banner = await page.evaluate(`(() => { const d = document.getElementById('banner');
      return { text: d.innerText, focus: document.activeElement.textContent }; })()`);
    assert.match(banner.text, /^Quillmere\n[^]*Quillmere - A Kestrune Prototype\n/);
    assert.match(banner.text, /GLUT library: Quillmere web GLUT/);
    assert.equal(banner.focus, 'OK');
    assert.equal((await canvasBox(page)).shown, false, 'the canvas shows behind the banner');
    assert.equal(await page.evaluate('__probe.framesRequested'), 0, 'frames ran behind the banner');

    await page.key('Enter');
    await waitForScene(page);
    assert.equal(await page.evaluate("document.getElementById('banner')"), null);
    const box = await canvasBox(page);
    assert.deepEqual([box.width, box.height, box.bufferWidth, box.bufferHeight], [1024, 800, 1024, 800]);
  });
});

test('a bad option says what is wrong on the page, and nothing starts', async () => {
  await withSite('/?seed=x', async ({ page }) => {
    await page.waitFor("document.getElementById('message').textContent");
    assert.match(await page.evaluate("document.getElementById('message').textContent"),
      /^quillmere: the seed must be a whole number .* not 'x' \(see 'quillmere --help'\)\n$/);
    assert.equal((await canvasBox(page)).shown, false);
  });
});

test('a drag paints canvas A, Alt drags a copy, a key clears, and a page at rest schedules nothing', async () => {
  await withSite('/?no-banner&seed=7', async ({ page }) => {
    await waitForScene(page);
    await expectAtRest(page, assert);
    const at = await toPage(page);

    // The yellow swatch, copied off the canvases: the original stays.
    const yellow = scene.swatchLeft(3);
    const yellowColour = rgbAt(await canvasImage(page), yellow + 5, scene.swatchTop + 5);
    await page.drag(at({ x: yellow + 20, y: 50 }), at({ x: 820, y: 300 }), { modifiers: Modifiers.Alt });
    let seen = await waitForCanvas(page, (image) => isNear(rgbAt(image, 805, 285), yellowColour));
    assert.ok(seen.ok, 'no copy of the yellow swatch at (800, 280)');
    assert.ok(isNear(rgbAt(seen.image, yellow + 5, scene.swatchTop + 5), yellowColour), 'the original moved');
    await expectAtRest(page, assert);

    // The red swatch onto canvas A: its colour flows in and spreads.
    await page.drag(at({ x: 120, y: 50 }), at({ x: 340, y: 410 }));
    const under = scene.cellCentre(scene.canvasA, 23, 23);
    const far = scene.cellCentre(scene.canvasA, 35, 23);
    seen = await waitForCanvas(page, (image) => isReddish(rgbAt(image, under.x, under.y)) &&
                                                isReddish(rgbAt(image, far.x, far.y)));
    assert.ok(seen.ok, `canvas A is ${rgbAt(seen.image, far.x, far.y)} 12 cells from the swatch`);
    assert.ok(isWhite(rgbAt(seen.image, 105, 35)), 'the red swatch is still in the row');

    // The swatch keeps colouring what lies under it; a key clears the rest.
    await page.key('c');
    const beside = scene.cellCentre(scene.canvasA, 44, 44);
    seen = await waitForCanvas(page, (image) => isWhite(rgbAt(image, far.x, far.y)) &&
                                                isWhite(rgbAt(image, beside.x, beside.y)), { timeoutMs: 1500 });
    assert.ok(seen.ok, `canvas A is ${rgbAt(seen.image, far.x, far.y)} after the key`);
  });
});

// The ratio at start decides the canvas's device pixels, and a change while
// the page runs (zoom, another monitor) is followed with the picture kept.
test('at devicePixelRatio 2 the canvas is 2048x1600 and shows the 1x picture doubled, from the start and live', async () => {
  const single = await withSite('/?no-banner&seed=7', async ({ page }) => {
    await waitForScene(page);
    const single = await canvasImage(page);
    await page.setDeviceMetrics({ width: 1200, height: 950, deviceScaleFactor: 2 });
    const { image } = await waitForCanvas(page, (image) => !scaledDifference(single, image, 2));
    assert.equal(scaledDifference(single, image, 2), '', 'after the change');
    return single;
  });
  await withSite('/?no-banner&seed=7', { deviceScaleFactor: 2 }, async ({ page }) => {
    await waitForScene(page);
    const box = await canvasBox(page);
    assert.deepEqual([box.width, box.height, box.bufferWidth, box.bufferHeight], [1024, 800, 2048, 1600]);
    const { image } = await waitForCanvas(page, (image) => !scaledDifference(single, image, 2));
    assert.equal(scaledDifference(single, image, 2), '', 'from the start');
  });
});
