// Exported pages in a real browser: headless Chromium opens them from the
// disk with every network request refused, draws the figure, drags a
// vertex, resets, and shows hostile names and refused figures safely.
//
//   node viewer_test.mjs --program build/sakuzu --samples samples
//
// The pages are made by the program itself (sakuzu --export ... .htm),
// which puts the viewer script beside them.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const args = Object.fromEntries(
  process.argv.slice(2).reduce((pairs, arg, i, all) => {
    if (arg.startsWith('--')) pairs.push([arg.slice(2), all[i + 1]]);
    return pairs;
  }, []));
const program = path.resolve(args.program);
const samples = path.resolve(args.samples);
const chromium = args.chromium || '/usr/bin/chromium';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sakuzu-web-'));

let failures = 0;
function check(condition, what) {
  if (!condition) {
    failures++;
    console.error('FAILED: ' + what);
  }
}

// A page exported by the program from the figure text given.
function exportPage(name, figureText) {
  const figure = path.join(work, name);
  fs.writeFileSync(figure, figureText);
  const page = figure.replace(/\.zk4$/, '.htm');
  execFileSync(program, ['--export', figure, '--output', page],
               { env: { ...process.env, SAKUZU_HOME: work, QT_QPA_PLATFORM: 'offscreen' } });
  return page;
}

function sampleText() {
  const bytes = fs.readFileSync(path.join(samples, 'sample.zk4'));
  return new TextDecoder('shift_jis').decode(bytes);
}

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--force-device-scale-factor=1'],
});

// A page with its requests watched: anything but the page's own files is
// refused and counted, and so are dialogs and uncaught errors.
async function open(file, viewport = { width: 800, height: 700 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const trouble = { requests: [], dialogs: 0, errors: [] };
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url().startsWith('file://') || request.url().startsWith('data:')) {
      request.continue();
    } else {
      trouble.requests.push(request.url());
      request.abort();
    }
  });
  page.on('dialog', async (dialog) => {
    trouble.dialogs++;
    await dialog.dismiss();
  });
  page.on('pageerror', (error) => trouble.errors.push(String(error)));
  await page.goto(pathToFileURL(file).href);
  await page.waitForSelector('[data-sakuzu-ready]', { timeout: 20000 });
  return { page, trouble };
}

const state = (page) => page.evaluate(() => document.querySelector('[data-sakuzu-ready]').sakuzu.state());

// The colour of the canvas near (x, y) in the drawing area's logical
// pixels: the pixel within one of (x, y) that `wanted` accepts, or null.
async function near(page, x, y, wanted) {
  const pixels = await page.evaluate((x, y) => {
    const canvas = document.querySelector('canvas.sakuzu-canvas');
    const scale = canvas.width / Number(canvas.closest('[data-sakuzu-ready]').dataset.width || 640);
    const cx = Math.round((x + 0.5) * scale), cy = Math.round((y + 0.5) * scale);
    // The layers as the browser shows them, one over the other.
    const picture = document.createElement('canvas');
    picture.width = canvas.width;
    picture.height = canvas.height;
    const ctx = picture.getContext('2d');
    for (const layer of canvas.parentNode.querySelectorAll('canvas')) ctx.drawImage(layer, 0, 0);
    const data = ctx.getImageData(cx - 2, cy - 2, 5, 5).data;
    return Array.from(data);
  }, x, y);
  for (let i = 0; i < pixels.length; i += 4) {
    const rgb = pixels.slice(i, i + 3);
    if (wanted(rgb)) return rgb;
  }
  return null;
}
const dark = ([r, g, b]) => r < 120 && g < 120 && b < 120;
const blue = ([r, g, b]) => b > 150 && r < 120 && g < 120;
const point = (s, name) => s.points.find((p) => p.name === name);

// The page-side position of a drawing-area pixel, for the real mouse.
async function client(page, x, y) {
  return page.evaluate((x, y) => {
    const canvas = document.querySelector('canvas.sakuzu-canvas');
    const rect = canvas.getBoundingClientRect();
    const width = Number(canvas.closest('[data-sakuzu-ready]').dataset.width || 640);
    const k = rect.width / width;
    return { x: rect.left + (x + 0.5) * k, y: rect.top + (y + 0.5) * k };
  }, x, y);
}

// The sample: drawn where the mapping puts it, dragged, reset.
{
  const { page, trouble } = await open(exportPage('sample.zk4', sampleText()));
  const before = await state(page);
  check(before.ok && before.points.length >= 4, 'the sample opens');
  const a = point(before, 'A'), b = point(before, 'B'), o = point(before, 'O');
  check(await near(page, (a.px + b.px) / 2, (a.py + b.py) / 2, dark), 'side AB is drawn');
  const radius = Math.hypot(a.px - o.px, a.py - o.py);
  check(await near(page, o.px, o.py - radius, blue), 'the circumcircle is drawn');

  const from = await client(page, a.px, a.py);
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let k = 1; k <= 10; ++k) await page.mouse.move(from.x - 3 * k, from.y - 6 * k);
  await page.mouse.up();
  const after = await state(page);
  const a2 = point(after, 'A'), b2 = point(after, 'B'), o2 = point(after, 'O');
  check(Math.abs(a2.px - (a.px - 30)) <= 1.5 && Math.abs(a2.py - (a.py - 60)) <= 1.5,
        `A follows the pointer (${a2.px}, ${a2.py})`);
  check(b2.x === point(before, 'B').x, 'B stays');
  check(Math.hypot(o2.x - o.x, o2.y - o.y) > 0.1, 'the circumcentre follows A');
  check(await near(page, (a2.px + b2.px) / 2, (a2.py + b2.py) / 2, dark), 'side AB is drawn anew');
  const ab = after.numbers[0];
  check(Math.abs(ab.value - Math.hypot(a2.x - b2.x, a2.y - b2.y)) < 1e-9, 'AB is measured anew');

  // Far off the drawing area and onto another vertex: no error, no hang.
  await page.evaluate(() => {
    const viewer = document.querySelector('[data-sakuzu-ready]').sakuzu;
    const s = viewer.state();
    const a = s.points.find((p) => p.name === 'A'), b = s.points.find((p) => p.name === 'B');
    viewer.press(a.px, a.py);
    viewer.step(-1e6, 1e6);
    viewer.step(b.px, b.py);
    viewer.step(a.px + 1e-9, a.py);
    viewer.release(b.px, b.py);
  });
  check((await state(page)).ok, 'extreme drags leave the viewer working');

  await page.click('button.sakuzu-reset');
  const reset = await state(page);
  check(JSON.stringify(reset.points) === JSON.stringify(before.points), 'reset restores the figure');
  check(trouble.requests.length === 0, 'no network request: ' + trouble.requests.join(' '));
  check(trouble.errors.length === 0, 'no page error: ' + trouble.errors.join(' '));

  // A narrow screen: the drawing scales to the width and still drags.
  await page.setViewport({ width: 360, height: 640, deviceScaleFactor: 2 });
  await page.waitForFunction(() => {
    const canvas = document.querySelector('canvas.sakuzu-canvas');
    return Math.abs(canvas.width - 2 * canvas.getBoundingClientRect().width) <= 1;
  }, { timeout: 10000 }).catch(() => {});
  const shown = await page.evaluate(() => {
    const canvas = document.querySelector('canvas.sakuzu-canvas');
    return { css: canvas.getBoundingClientRect().width, device: canvas.width };
  });
  check(shown.css <= 360 && Math.abs(shown.device - 2 * shown.css) <= 1,
        `the drawing fits a narrow screen at its density (${shown.css}, ${shown.device})`);
  check(await near(page, (a.px + b.px) / 2, (a.py + b.py) / 2, dark), 'side AB at the narrow width');
  await page.close();
}

// Hostile names are text, never markup: in the figure (a free number's
// name, points named to close the page's elements) and in the file name.
{
  const hostile = '</script><img src=x onerror=alert(1)>';
  let text = sampleText();
  const plain = text;
  // One free number more behind the four measurements.
  text = text.replace('0,4\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n4\r\n',
                      '0,4\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n5\r\n')
             .replace('"円1の半径@"\r\n0\r\n', '"円1の半径@"\r\n0\r\n5,-1,"' + hostile + '@"\r\n-1\r\n')
             .replace('"A"', '"</textarea"').replace('"B"', '"<script>"');
  check(text.split('\r\n').length === plain.split('\r\n').length + 2, 'the hostile figure is made');
  const { page, trouble } = await open(exportPage('"><img src=x onerror=alert(3)>.zk4', text));
  const s = await state(page);
  check(s.ok && s.numbers[4] && s.numbers[4].name === hostile,
        'the hostile number name is read as a name: ' + JSON.stringify(s.numbers[4]));
  check(s.ok && s.points[0].name === '</textarea' && s.points[1].name === '<script>',
        'the point names are read as names');
  check(trouble.dialogs === 0 && trouble.errors.length === 0, 'nothing runs');
  check(await page.evaluate(() => document.querySelectorAll('img[src="x"], script:not([src])').length) === 0,
        'no element is made from a name');
  await page.close();
}
{
  // The program refuses to export what it cannot read; a page whose
  // figure is damaged afterwards shows the reader's message.
  const file = exportPage('damaged.zk4', sampleText());
  const html = fs.readFileSync(file, 'utf8').replace(/(<textarea[^>]*>)[^<]*/, '$1' + '12\r\n"PNEW"\r\n');
  fs.writeFileSync(file, html);
  const { page, trouble } = await open(file);
  const message = await page.evaluate(() => {
    const box = document.querySelector('.sakuzu-message');
    return box && !box.hidden ? box.textContent : '';
  });
  check(message.length > 0, 'a refused figure shows a message');
  check(await page.evaluate(() => document.querySelector('[data-sakuzu-ready]').dataset.sakuzuReady) ===
        'refused', 'the page says it refused the figure');
  check(trouble.errors.length === 0, 'no page error for a refused figure');
  await page.close();
}

{
  // The page computes exactly what the program computes: the digests of
  // every shipped figure, opened and after the scripted drag, are those
  // the program's own test pins.
  const pinned = fs.readFileSync(args.digests, 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#')).map((line) => line.trim().split(/\s+/));
  check(pinned.length > 0, 'digests to check');
  for (const [name, opened, dragged] of pinned) {
    const page = path.join(work, 'digest-' + name.replace(/\.zk4$/, '.htm'));
    execFileSync(program, ['--export', path.join(samples, name), '--output', page],
                 { env: { ...process.env, SAKUZU_HOME: work, QT_QPA_PLATFORM: 'offscreen' } });
    const { page: tab } = await open(page);
    const digests = await tab.evaluate(() => {
      const api = document.querySelector('[data-sakuzu-ready]').sakuzu;
      const first = api.digest();
      api.scriptedDrag();
      return [first, api.digest()];
    });
    check(digests[0] === opened, name + ' opens with digest ' + opened + ', page ' + digests[0]);
    check(digests[1] === dragged, name + ' drags to digest ' + dragged + ', page ' + digests[1]);
    await tab.close();
  }
}

await browser.close();
fs.rmSync(work, { recursive: true, force: true });
if (failures > 0) {
  console.error(failures + ' check(s) failed');
  process.exit(1);
}
console.log('web viewer: every check passed');
