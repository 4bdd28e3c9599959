// The framework's example on the web: a square that the wheel sizes, and the
// host's popup menu on the right button, with nested entries and shortcut
// keys.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { canvasBox, isNear, rgbAt, waitForCanvas, withSite } from './site_session.mjs';

const red = [255, 0, 0];
const blue = [0, 0, 255];

// The square's width along its middle row, in units (it starts 100 wide at
// (200, 150) of a 400 by 300 window).
function squareWidth(image) {
  let width = 0;
  for (let x = 0; x < image.width; x++) width += rgbAt(image, x, 150).some((v) => v < 200) ? 1 : 0;
  return width;
}

const menuItems = (page) => page.evaluate(
  "[...document.querySelectorAll('.glut-menu')].map((m) => [...m.children].map((li) => li.firstChild.textContent))");

async function itemBox(page, label) {
  return page.evaluate(`(() => {
    const item = [...document.querySelectorAll('.glut-menu li')].find((li) => li.firstChild.textContent === ${JSON.stringify(label)});
    const r = item.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  })()`);
}

async function click(page, { x, y }, button = 'left') {
  await page.mouse('mouseMoved', x, y);
  await page.mouse('mousePressed', x, y, { button });
  await page.mouse('mouseReleased', x, y, { button });
}

test('the wheel sizes the square; the menu opens at the pointer, chooses, and closes by Escape or a click outside', async () => {
  // The site's copy, or with QUILLMERE_EXAMPLE_PAGE another build's page.
  await withSite(process.env.QUILLMERE_EXAMPLE_PAGE ?? '/examples/menu-demo/', async ({ page }) => {
    let seen = await waitForCanvas(page, (image) => squareWidth(image) === 100);
    assert.ok(seen.ok, `the square is ${squareWidth(seen.image)} wide at start`);
    const box = await canvasBox(page);
    const at = (x, y) => ({ x: box.x + x, y: box.y + y });
    const centre = at(200, 150);

    await page.mouse('mouseMoved', centre.x, centre.y);
    await page.wheel(centre.x, centre.y, -100);
    seen = await waitForCanvas(page, (image) => squareWidth(image) === 120);
    assert.ok(seen.ok, `one notch up left the square ${squareWidth(seen.image)} wide`);

    await click(page, at(30, 40), 'right');
    await page.waitFor("document.querySelector('.glut-menu')");
    assert.deepEqual(await menuItems(page), [['Colour', 'Square']]);
    const corner = await page.evaluate("(() => { const r = document.querySelector('.glut-menu').getBoundingClientRect(); return [r.left, r.top]; })()");
    assert.deepEqual(corner, [box.x + 30, box.y + 40], 'the menu is not at the pointer');
    const colour = await itemBox(page, 'Colour');
    await page.mouse('mouseMoved', colour.x, colour.y);
    await page.waitFor("document.querySelectorAll('.glut-menu').length === 2");
    assert.deepEqual((await menuItems(page))[1], ['Red', 'Green', 'Blue']);
    await click(page, await itemBox(page, 'Blue'));
    seen = await waitForCanvas(page, (image) => isNear(rgbAt(image, 200, 150), blue));
    assert.ok(seen.ok, `Colour > Blue left the square ${rgbAt(seen.image, 200, 150)}`);
    assert.equal(await page.evaluate("document.querySelector('.glut-menu-layer')"), null, 'the menu stayed open');

    // The square's menu entry for resetting is enabled once the wheel moved it.
    await click(page, at(30, 40), 'right');
    await page.waitFor("document.querySelector('.glut-menu')");
    const square = await itemBox(page, 'Square');
    await page.mouse('mouseMoved', square.x, square.y);
    await page.waitFor("document.querySelectorAll('.glut-menu').length === 2");
    assert.deepEqual((await menuItems(page))[1], ['Turn Outline On', 'Reset size']);
    await page.key('Escape');
    await page.waitFor("!document.querySelector('.glut-menu-layer')");

    // A press outside closes the menu and reaches nothing: the square stays.
    await click(page, at(30, 40), 'right');
    await page.waitFor("document.querySelector('.glut-menu')");
    await page.drag(centre, at(300, 250));
    await page.waitFor("!document.querySelector('.glut-menu-layer')");
    seen = await waitForCanvas(page, (image) => isNear(rgbAt(image, 200, 150), blue));
    assert.ok(seen.ok, 'the press that closed the menu moved the square');

    // Shortcut keys raise the entries' commands.
    await page.key('r');
    seen = await waitForCanvas(page, (image) => isNear(rgbAt(image, 200, 150), red));
    assert.ok(seen.ok, `the key r left the square ${rgbAt(seen.image, 200, 150)}`);
  });
});
