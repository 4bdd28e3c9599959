// The program's page on a phone: a 390 by 844 viewport at devicePixelRatio
// 3, driven by touch alone.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  canvasBox, expectAtRest, isNear, isReddish, isWhite, rgbAt, scene, waitForCanvas, waitForScene, withSite,
} from './site_session.mjs';

// The whole scene on the page, every canvas pixel one of the screen's.
async function expectFitted(page, room) {
  const box = await canvasBox(page);
  assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= room.width + 0.01 && box.y + box.height <= room.height + 0.01,
    `the canvas ${JSON.stringify(box)} leaves the ${room.width}x${room.height} viewport`);
  assert.ok(Math.max(room.width - box.width, 0) < 1 || box.height >= room.height - 60,
    `the canvas ${box.width}x${box.height} does not fill its room`);
  assert.deepEqual([box.bufferWidth, box.bufferHeight], [Math.round(box.width * 3), Math.round(box.height * 3)],
    'the drawing buffer is not the device pixels it covers');
  assert.ok(Math.abs(box.bufferWidth / box.bufferHeight - 1024 / 800) < 0.01, 'the scene lost its proportions');
  return box;
}

test('on a phone the whole scene shows; touch drags, holds to copy, clears with the button, and follows a turn', async () => {
  await withSite('/?no-banner&seed=7', { width: 390, height: 844, deviceScaleFactor: 3, phone: true }, async ({ page }) => {
    await waitForScene(page);
    let box = await expectFitted(page, { width: 390, height: 844 });
    const at = ({ x, y }) => ({ x: box.x + x * box.width / 1024, y: box.y + y * box.height / 800 });
    const seen = (image, x, y) => rgbAt(image, x, y, image.width / 1024);
    await expectAtRest(page, assert);

    // The yellow swatch, touched and held, then dragged: a copy moves.
    // Colours are read at cells' middles, away from their outlines.
    const yellow = scene.swatchLeft(3);
    const yellowColour = seen((await waitForCanvas(page, () => true)).image, yellow + 5, 35);
    await page.touchDrag(at({ x: yellow + 20, y: 50 }), at({ x: 820, y: 300 }), { holdMs: 1200 });
    let shown = await waitForCanvas(page, (image) => isNear(seen(image, 805, 285), yellowColour));
    assert.ok(shown.ok, 'no copy of the yellow swatch where the finger let go');
    assert.ok(isNear(seen(shown.image, yellow + 5, 35), yellowColour), 'the original moved');

    // The red swatch dragged at once onto canvas A, a second finger resting
    // on canvas B meanwhile: canvas B stays where it is.
    const canvasB = at({ x: 660, y: 560 });
    const canvasBPixels = (image) => {
      const f = image.width / 1024;
      const rows = [];
      for (let y = Math.floor(500 * f); y < Math.ceil(620 * f); y++) {
        rows.push(image.data.subarray((y * image.width + Math.floor(600 * f)) * 4, (y * image.width + Math.ceil(720 * f)) * 4).join());
      }
      return rows.join('/');
    };
    const canvasBBefore = canvasBPixels((await waitForCanvas(page, () => true)).image);
    await page.touchDrag(at({ x: 120, y: 50 }), at({ x: 340, y: 410 }), { resting: [canvasB] });
    const under = scene.cellCentre(scene.canvasA, 23, 23);
    const far = scene.cellCentre(scene.canvasA, 31, 23);
    shown = await waitForCanvas(page, (image) => isReddish(seen(image, under.x, under.y)) &&
                                                 isReddish(seen(image, far.x, far.y)));
    assert.ok(shown.ok, `canvas A is ${seen(shown.image, far.x, far.y)} beside the swatch`);
    assert.ok(canvasBPixels(shown.image) === canvasBBefore, 'canvas B changed under the second finger');

    // No keyboard: the page's Clear button types a key.
    const clear = await page.evaluate("(() => { const r = document.querySelector('#controls button').getBoundingClientRect(); return { x: r.left + r.width / 2, y: r.top + r.height / 2, shown: r.width > 0 }; })()");
    assert.ok(clear.shown, 'no Clear button on a touch screen');
    await page.touch('touchStart', [clear]);
    await page.touch('touchEnd', []);
    shown = await waitForCanvas(page, (image) => isWhite(seen(image, far.x, far.y)), { timeoutMs: 2000 });
    assert.ok(shown.ok, `canvas A is ${seen(shown.image, far.x, far.y)} after Clear`);

    // Turned on its side: the scene fits the shorter height, the red swatch
    // still where it was dropped.
    await page.emulatePhone({ width: 844, height: 390, deviceScaleFactor: 3, landscape: true });
    shown = await waitForCanvas(page, (image) => image.width / image.height > 1.2 && image.height < 390 * 3 - 1 &&
                                                 isReddish(seen(image, under.x, under.y)));
    assert.ok(shown.ok, `after the turn the canvas is ${shown.image.width}x${shown.image.height}`);
    box = await expectFitted(page, { width: 844, height: 390 });
  });
});
