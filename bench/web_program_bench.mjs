// The program in one page (sakuzu.html) in headless Chromium: the file's
// size, how soon the sample figure is drawn after the page starts to load,
// how soon a menu opens after a click, and dragging the first vertex of
// drag_bench's chain of 1,003 and 7,003 objects one step a frame.
//
//   node bench/web_program_bench.mjs --build build
//
// puppeteer-core comes from tests/web (scripts/install-deps.sh installs it).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, '../tests/web/package.json'));
const puppeteer = require('puppeteer-core');

const args = Object.fromEntries(
  process.argv.slice(2).reduce((pairs, arg, i, all) => {
    if (arg.startsWith('--')) pairs.push([arg.slice(2), all[i + 1]]);
    return pairs;
  }, []));
const build = path.resolve(args.build || 'build');
const program = path.join(build, 'sakuzu.html');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sakuzu-program-bench-'));
const env = { ...process.env, SAKUZU_HOME: work, QT_QPA_PLATFORM: 'offscreen' };

const browser = await puppeteer.launch({
  executablePath: args.chromium || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox'],
});
const tab = await browser.newPage();
await tab.setViewport({ width: 1000, height: 800, deviceScaleFactor: 1 });
// Leaving a page with unsaved work asks first: the benchmark leaves.
tab.on('dialog', (dialog) => dialog.accept());

// The sample drawn: from the start of loading to the figure on the screen.
const loads = [];
for (let i = 0; i < 5; ++i) {
  await tab.goto(pathToFileURL(program).href + '?open=sample.zk4');
  await tab.waitForSelector('[data-sakuzu-ready]', { timeout: 60000 });
  loads.push(await tab.evaluate(() => new Promise((done) => {
    requestAnimationFrame(() => done(window.sakuzuApp.readyAt));
  })));
}

// A menu: from the click to the frame that shows it.
const menus = [];
for (const name of ['mnuFile', 'mnuConstruction', 'mnuMeasure', 'mnuOption', 'mnuEdit']) {
  const head = await tab.$(`#menubar [data-name="${name}"]`);
  const box = await head.boundingBox();
  await tab.evaluate(() => {
    window.clickedAt = 0;
    document.addEventListener('mousedown', () => { window.clickedAt = performance.now(); },
                              { once: true, capture: true });
  });
  await tab.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  menus.push(await tab.evaluate((n) => new Promise((done) => {
    requestAnimationFrame(() => {
      const list = document.querySelector(`#menubar [data-name="${n}"]`).parentNode.querySelector('.menu');
      done(list && list.offsetHeight > 0 ? performance.now() - window.clickedAt : -1);
    });
  }), name));
  await tab.keyboard.press('Escape');
}

// Dragging the chain's first vertex one step a frame.
async function drag(objects) {
  const figure = path.join(work, `chain${objects}.zk4`);
  execFileSync(path.join(build, 'drag_bench'), ['--write-chain', figure, String(objects)], { env });
  const base64 = fs.readFileSync(figure).toString('base64');
  // The lesson page's drawing area: 640 by 480 pixels.
  await tab.setViewport({ width: 640, height: 480 + 80, deviceScaleFactor: 1 });
  await tab.goto(pathToFileURL(program).href);
  await tab.waitForSelector('[data-sakuzu-ready]', { timeout: 60000 });
  const area = await tab.evaluate(() => [window.sakuzuApp.width, window.sakuzuApp.height]);
  await tab.setViewport({ width: 640, height: 480 + 80 + (480 - area[1]), deviceScaleFactor: 1 });
  await tab.evaluate(() => window.sakuzuApp.idle());
  await tab.evaluate((b) => window.sakuzuApp.open('chain.zk4',
    Uint8Array.from(atob(b), (c) => c.charCodeAt(0))), base64);
  await tab.evaluate(() => window.sakuzuApp.idle());
  return tab.evaluate((count) => new Promise((done) => {
    const app = window.sakuzuApp;
    const first = app.objects().points[0];
    app.pointer(0, first.px, first.py, 0, true);
    const stamps = [];
    function frame(now) {
      stamps.push(now);
      const k = stamps.length;
      if (k > count) {
        app.pointer(2, first.px, first.py, 0, false);
        console.log('area', app.width, app.height);
        const gaps = stamps.slice(1).map((t, i) => t - stamps[i]);
        done({ mean: (stamps[count] - stamps[0]) / count, slow: gaps.filter((g) => g > 17.5).length });
        return;
      }
      // One step a frame, as the page takes pointer moves.
      if (app.pending === 0) app.pointer(1, first.px + (k % 100), first.py + ((k * 7) % 50), -1, true);
      requestAnimationFrame(frame);
    }
    requestAnimationFrame(frame);
  }), 120);
}
const small = await drag(1003);
const large = await drag(7003);
await browser.close();

const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
console.log(`sakuzu.html: ${(fs.statSync(program).size / 1048576).toFixed(2)} MB`);
console.log(`sample drawn after the page starts to load: median ${median(loads).toFixed(0)} ms, max ${Math.max(...loads).toFixed(0)} ms`);
console.log(`menu shown after the click: median ${median(menus).toFixed(1)} ms, max ${Math.max(...menus).toFixed(1)} ms`);
console.log(`drag, 1,003 objects: ${small.mean.toFixed(1)} ms a frame, ${small.slow} of 120 frames late`);
console.log(`drag, 7,003 objects: ${large.mean.toFixed(1)} ms a frame, ${large.slow} of 120 frames late`);
fs.rmSync(work, { recursive: true, force: true });
