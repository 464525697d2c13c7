// Dragging the first vertex of the 1,003-object chain (drag_bench's
// figure) in an exported page in headless Chromium: the time of one
// deformation step as the page measures it (recomputation and drawing
// calls), and the size of the viewer script.
//
//   node bench/web_drag_bench.mjs --build build [--objects 1003] [--steps 300]
//
// puppeteer-core comes from tests/web (scripts/install-deps.sh installs it).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, '../tests/web/package.json'));
const puppeteer = require('puppeteer-core');

const args = Object.fromEntries(
  process.argv.slice(2).reduce((pairs, arg, i, all) => {
    if (arg.startsWith('--')) pairs.push([arg.slice(2), all[i + 1]]);
    return pairs;
  }, []));
const build = path.resolve(args.build || 'build');
const objects = Number(args.objects || 1003);
const steps = Number(args.steps || 300);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sakuzu-web-bench-'));
const figure = path.join(work, 'chain.zk4');
const page = path.join(work, 'chain.htm');
const env = { ...process.env, SAKUZU_HOME: work, QT_QPA_PLATFORM: 'offscreen' };
execFileSync(path.join(build, 'drag_bench'), ['--write-chain', figure, String(objects)], { env });
execFileSync(path.join(build, 'sakuzu'), ['--export', figure, '--output', page], { env });

const browser = await puppeteer.launch({
  executablePath: args.chromium || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox'],
});
const tab = await browser.newPage();
await tab.setViewport({ width: 1000, height: 800, deviceScaleFactor: Number(args.scale || 1) });
await tab.goto('file://' + page);
await tab.waitForSelector('[data-sakuzu-ready]', { timeout: 60000 });
// The drag as the reader sees it: one step per frame, as pointer moves
// arrive; the browser shows a frame every 16.7 ms while the steps keep up.
const frames = await tab.evaluate((count) => new Promise((done) => {
  const viewer = document.querySelector('[data-sakuzu-ready]').sakuzu;
  const first = viewer.state().points[0];
  viewer.press(first.px, first.py);
  const stamps = [];
  function frame(now) {
    stamps.push(now);
    const k = stamps.length;
    if (k > count) {
      viewer.release(first.px, first.py);
      const gaps = stamps.slice(1).map((t, i) => t - stamps[i]).sort((a, b) => a - b);
      done({ mean: (stamps[count] - stamps[0]) / count, slow: gaps.filter((g) => g > 17.5).length });
      return;
    }
    viewer.move(first.px + (k % 100), first.py + ((k * 7) % 50));
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
}), 120);
const times = await tab.evaluate((steps) => {
  const viewer = document.querySelector('[data-sakuzu-ready]').sakuzu;
  const first = viewer.state().points[0];
  viewer.press(first.px, first.py);
  const times = [];
  for (let k = 0; k < steps; ++k) {
    times.push(viewer.step(first.px + (k % 100), first.py + ((k * 7) % 50)));
  }
  viewer.release(first.px, first.py);
  return times;
}, steps);
// What the browser still has to do for the last step's pictures.
const frame = await tab.evaluate(() => new Promise((done) => {
  const start = performance.now();
  requestAnimationFrame(() => done(performance.now() - start));
}));
await browser.close();

times.sort((a, b) => a - b);
const at = (q) => times[Math.min(times.length - 1, Math.floor(q * times.length))];
const viewerBytes = fs.statSync(path.join(work, 'sakuzu_viewer.js')).size;
console.log(`objects ${objects}, steps ${steps}`);
console.log(`step: median ${at(0.5).toFixed(2)} ms, 90% ${at(0.9).toFixed(2)} ms, max ${at(1).toFixed(2)} ms`);
console.log(`next frame after the last step: ${frame.toFixed(2)} ms`);
console.log(`one step a frame: ${frames.mean.toFixed(2)} ms a frame, ${frames.slow} of 120 frames late`);
console.log(`viewer script: ${(viewerBytes / 1048576).toFixed(2)} MB`);
fs.rmSync(work, { recursive: true, force: true });
