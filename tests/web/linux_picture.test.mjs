// The page's start picture against the Linux program's, taken under Xvfb by
// tests/tools/start-picture.sh: the same scene (the seed decides nothing that
// shows at start) drawn by WebGL instead of Mesa.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { decodePng, encodePng } from './png.mjs';
import { canvasImage, expectAtRest, scaledDifference, waitForScene, withSite } from './site_session.mjs';

test('every pixel of the start picture is within one step of the Linux program\'s', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'linux-picture-'));
  try {
    execFileSync('bash', [join(process.env.QUILLMERE_TOOLS, 'start-picture.sh'),
      process.env.QUILLMERE_LINUX_PROGRAM, join(dir, 'linux.png')], { stdio: 'inherit' });
    const linux = decodePng(readFileSync(join(dir, 'linux.png')));
    const web = await withSite('/?no-banner&seed=7', async ({ page }) => {
      await waitForScene(page);
      await expectAtRest(page, assert);
      return canvasImage(page);
    });
    const difference = scaledDifference(linux, web, 1);
    if (difference) writeFileSync(join(tmpdir(), 'web-start-picture.png'), encodePng(web));
    assert.equal(difference, '', `the page's picture (saved as ${join(tmpdir(), 'web-start-picture.png')})`);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});
