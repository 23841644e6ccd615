// The browser edition's costs, headless, from a local server:
//   node tools/bench/web_bench.mjs <site dir>
// the site's size, the time from navigation to the first whole puzzle, the CPU the page
// uses between two steps, and its memory over 1,000 steps at 0-second intervals.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { start } from '../../tests/web/browser.mjs';

const site = process.argv[2];
const { origin, browser, close } = await start(site);
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

// The first step draws the whole question at once, so its time is that of the first puzzle.
async function firstPuzzleMs() {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    document.addEventListener('DOMContentLoaded', () => {
      const canvas = document.getElementById('watch');
      new MutationObserver(() => { window.firstStep ??= performance.now(); })
        .observe(canvas, { attributeFilter: ['data-step'] });
    });
  });
  await page.goto(`${origin}/?seed=1`);
  await page.waitForFunction(() => window.firstStep !== undefined, { timeout: 10000 });
  const ms = await page.evaluate(() => window.firstStep);
  await context.close();
  return ms;
}

async function metrics(session) {
  const { metrics: list } = await session.send('Performance.getMetrics');
  return Object.fromEntries(list.map((m) => [m.name, m.value]));
}

// The resident memory of the browser's renderers (its processes of type renderer, at any
// depth below it), which hold the page and its module.
function rendererKilobytes() {
  const all = execFileSync('ps', ['-e', '-o', 'pid=,ppid=,rss=,args='], { encoding: 'utf8' })
    .trim().split('\n').map((line) => line.trim().match(/^(\d+)\s+(\d+)\s+(\d+)\s+(.*)$/))
    .map(([, pid, ppid, rss, args]) => ({ pid: +pid, ppid: +ppid, rss: +rss, args }));
  const ours = new Set([browser.process().pid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const p of all) if (ours.has(p.ppid) && !ours.has(p.pid)) ours.add(p.pid), grew = true;
  }
  return all.filter((p) => ours.has(p.pid) && p.args.includes('--type=renderer'))
    .reduce((sum, p) => sum + p.rss, 0);
}

async function heapAt(page, session, step) {
  await page.waitForFunction((s) => Number(document.getElementById('watch').dataset.step) >= s,
    { timeout: 60000, polling: 50 }, step);
  await session.send('HeapProfiler.collectGarbage');
  const m = await metrics(session);
  return { js: m.JSHeapUsedSize, nodes: m.Nodes, rss: rendererKilobytes() };
}

try {
  const files = fs.readdirSync(site);
  const size = files.reduce((sum, f) => sum + fs.statSync(path.join(site, f)).size, 0);
  console.log(`site: ${files.length} files, ${size} bytes (${(size / 1024).toFixed(1)} KB)`);

  const times = [];
  for (let i = 0; i < 7; ++i) times.push(await firstPuzzleMs());
  console.log(`first whole puzzle: median ${median(times).toFixed(0)} ms after navigation ` +
    `(of ${times.map((t) => t.toFixed(0)).join(', ')})`);

  // A question that stays 4 s: the page's task time over 3 s of it.
  const page = await browser.newPage();
  const session = await page.createCDPSession();
  await session.send('Performance.enable');
  await page.goto(`${origin}/?seed=1&question-seconds=4&answer-seconds=4`);
  await page.waitForFunction(() => document.getElementById('watch').dataset.step === '1');
  const before = await metrics(session);
  await new Promise((resolve) => setTimeout(resolve, 3000)); // the interval measured
  const after = await metrics(session);
  console.log(`between steps: ${((after.TaskDuration - before.TaskDuration) * 1000).toFixed(1)} ms ` +
    `of tasks, ${((after.ScriptDuration - before.ScriptDuration) * 1000).toFixed(1)} ms of script in 3 s; ` +
    `step ${await page.evaluate(() => document.getElementById('watch').dataset.step)}`);

  await page.goto(`${origin}/?seed=1&question-seconds=0&answer-seconds=0`);
  const early = await heapAt(page, session, 100);
  const started = Date.now();
  const late = await heapAt(page, session, 1100);
  const later = await heapAt(page, session, 2100);
  console.log(`memory at step 100: ${early.js} B of JS heap, ${early.nodes} nodes, renderers ${early.rss} KB resident`);
  console.log(`memory at step 1100: ${late.js} B of JS heap, ${late.nodes} nodes, renderers ${late.rss} KB resident ` +
    `(1,000 steps in ${Date.now() - started} ms)`);
  console.log(`memory at step 2100: ${later.js} B of JS heap, ${later.nodes} nodes, renderers ${later.rss} KB resident`);
} finally {
  await close();
}
