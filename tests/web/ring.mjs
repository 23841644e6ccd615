// The web ring: the built site in Debian's headless Chromium, served from 127.0.0.1.
//   node ring.mjs <site dir> <web_check>
// Every canvas is read back and judged by web_check against the native puzzle.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { start } from './browser.mjs';

const [site, checker] = process.argv.slice(2);
const { origin, browser, work, close } = await start(site);

// Keeps each canvas picture the page draws, taken between its steps, and hands pictures
// over as base64: a step's, or the practice hand's as it is now.
function keepShots() {
  window.shots = [];
  document.addEventListener('DOMContentLoaded', () => {
    const canvas = document.getElementById('watch');
    new MutationObserver(() => {
      if (shots.length < 8) shots.push({ step: Number(canvas.dataset.step), width: canvas.width,
        height: canvas.height, pixels: canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data });
    }).observe(canvas, { attributeFilter: ['data-step'] });
  });
  window.shotOf = async (step) => {
    const hand = document.getElementById('hand');
    const { width, height, pixels } = step ? shots.find((shot) => shot.step === step) : { width: hand.width,
      height: hand.height, pixels: hand.getContext('2d').getImageData(0, 0, hand.width, hand.height).data };
    const url = await new Promise((resolve) => {
      const reader = new FileReader();
      reader.onload = () => resolve(reader.result);
      reader.readAsDataURL(new Blob([pixels]));
    });
    return { width, height, data: url.slice(url.indexOf(',') + 1) };
  };
}

const problems = [];
async function open(context, address, ratio = 1, width = 720) {
  const page = await context.newPage();
  page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`failed: ${r.url()} ${r.failure()?.errorText}`));
  page.on('response', (r) => r.status() >= 400 && problems.push(`${r.status()}: ${r.url()}`));
  page.on('request', (r) => new URL(r.url()).origin !== origin && problems.push(`elsewhere: ${r.url()}`));
  await page.setViewport({ width, height: 420, deviceScaleFactor: ratio });
  await page.evaluateOnNewDocument(keepShots);
  await page.goto(origin + address);
  return page;
}

async function pixelsOf(page, step) {
  const shot = await page.evaluate((s) => shotOf(s), step);
  return { width: shot.width, height: shot.height, pixels: Buffer.from(shot.data, 'base64') };
}

async function watchShot(page, step) {
  await page.waitForFunction((s) => shots.some((shot) => shot.step === s), { timeout: 10000 }, step);
  return pixelsOf(page, step);
}

function check(mode, shot, ...rest) {
  const file = path.join(work, 'shot.rgba');
  fs.writeFileSync(file, shot.pixels);
  return execFileSync(checker, [mode, file, String(shot.width), String(shot.height), ...rest.map(String)],
    { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] }).trim();
}

const cases = {
  // Each step is the native puzzle of that seed and area, read back face by face.
  async watch(context) {
    const seed = 20261208, address = `/?seed=${seed}&question-seconds=0.3&answer-seconds=0.3`;
    // Too narrow for the whole puzzle at scale 1 or 1/2: read at a third of the size.
    check('watch', await watchShot(await open(context, address, 1, 200), 2), seed, 2);
    const page = await open(context, address);
    const shots = [];
    for (let step = 1; step <= 4; ++step) {
      shots[step] = await watchShot(page, step);
      check('watch', shots[step], seed, step);
    }
    // At a pixel ratio of 2 the same question is drawn with every pixel a 2 x 2 block.
    const double = await watchShot(await open(context, address, 2), 1), single = shots[1];
    for (let y = 0; y < single.height; ++y)
      for (let x = 0; x < single.width; ++x)
        for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]]) {
          const a = (y * single.width + x) * 4, b = ((2 * y + dy) * double.width + 2 * x + dx) * 4;
          if (single.pixels.readUInt32BE(a) !== double.pixels.readUInt32BE(b))
            assert.fail(`pixel ${x},${y} is not doubled at ${2 * x + dx},${2 * y + dy}`);
        }
  },

  async practice(context) {
    const page = await open(context, '/?mode=practice&seed=7');
    const text = (id) => page.$eval(`#${id}`, (e) => e.textContent);
    const waitsShown = async (hand) => {
      await page.waitForFunction((n) => document.getElementById('hand').dataset.hand === String(n), {}, hand);
      return check('hand', await pixelsOf(page, 0)).split(' ').map(Number);
    };
    const marks = () => page.$$eval('.rank', (all) => all.map((b) => `${b.getAttribute('aria-label') ?? 'None'}:${b.dataset.mark ?? ''}`));

    let waits = await waitsShown(1);
    for (const r of waits) await page.keyboard.press(String(r));
    await page.keyboard.press('Enter');
    assert.match(await text('verdict'), /^Right\./);
    assert.equal(await text('score-hands'), '1');
    // Each wait's split is drawn and told: a pair and four melds, or seven pairs.
    const told = await page.$eval('#splits', (e) => (e.hidden ? '' : e.getAttribute('aria-label')));
    for (const r of waits.filter((w) => w > 0)) assert.match(told, new RegExp(`${r}: \\d+( \\d+){4,6}(;|$)`));

    await page.keyboard.press('n');
    waits = await waitsShown(2);
    const wrong = [1, 2, 3, 4, 5, 6, 7, 8, 9, 0].find((r) => !waits.includes(r));
    await page.keyboard.press(String(wrong));
    await page.keyboard.press('Enter');
    assert.match(await text('verdict'), /^Not quite\./);
    assert.ok((await marks()).includes(`${wrong === 0 ? 'None' : wrong}:wrong`), await marks());
    assert.equal(await text('score-streak'), '0');

    await page.click('#next');
    waits = await waitsShown(3);
    for (const r of waits) await page.click(r === 0 ? '#none' : `.rank[aria-label="${r}"]`);
    await page.click('#check');
    assert.match(await text('verdict'), /^Right\./);

    // Every hand without a wait: "None" is the answer, and the score was kept.
    await page.goto(`${origin}/?mode=practice&seed=7&no-answer-rate=40`);
    assert.deepEqual(await waitsShown(1), [0]);
    await page.keyboard.press('0');
    await page.keyboard.press('Enter');
    assert.match(await text('verdict'), /^Right\./);
    const score = await Promise.all(['hands', 'right', 'streak', 'best'].map((s) => text(`score-${s}`)));
    assert.deepEqual(score, ['4', '3', '2', '2']);
    assert.match(await text('score-time'), /^\d+\.\d s$/);
  },

  // After one visit the site comes from the service worker's cache, with the network cut.
  async offline(context) {
    const seed = 5, address = `/?seed=${seed}&question-seconds=0.3&answer-seconds=0.3`;
    const page = await open(context, address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
    await page.setOfflineMode(true);
    await page.reload();
    check('watch', await watchShot(page, 2), seed, 2);
  },
};

let failed = 0;
try {
  for (const [name, run] of Object.entries(cases)) {
    const context = await browser.createBrowserContext();
    const started = Date.now();
    try {
      await run(context);
      assert.deepEqual(problems, [], 'console errors or failed requests');
      console.log(`ok   web ${name} (${Date.now() - started} ms)`);
    } catch (error) {
      ++failed;
      console.log(`FAIL web ${name}: ${error.stderr ?? ''}${error.message}`);
    } finally {
      problems.length = 0;
      await context.close();
    }
  }
} finally {
  await close();
}
process.exit(failed ? 1 : 0);
