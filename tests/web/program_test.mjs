// The whole program in a real browser, driven by real pointer, touch and
// keyboard events only: headless Chromium opens sakuzu.html from the disk
// with every request but file:, data: and blob: refused.
//
//   node program_test.mjs --build BUILD --reference sakuzu_program_reference
//
// From an empty figure: three free points, the circumcircle through the
// menu, a measurement, a drag of a vertex (the circle follows), undo and
// redo, Save; the downloaded file is byte-identical to the file the
// program's core writes for the same steps, and opens again through the
// file picker as the same figure. A hostile figure shows text and keeps
// the figure. Touch: a tap picks, a finger drag drags, a long press opens
// the pop-up menu and ends the choice of a relation check. Served by a web server, the installed program keeps
// working after the server is gone.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const args = Object.fromEntries(
  process.argv.slice(2).reduce((pairs, arg, i, all) => {
    if (arg.startsWith('--')) pairs.push([arg.slice(2), all[i + 1]]);
    return pairs;
  }, []));
const build = path.resolve(args.build);
const reference = path.resolve(args.reference);
const chromium = args.chromium || '/usr/bin/chromium';
const program = path.join(build, 'sakuzu.html');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sakuzu-program-'));

let failures = 0;
function check(condition, what) {
  if (!condition) {
    failures++;
    console.error('FAILED: ' + what);
  }
}

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--force-device-scale-factor=1'],
});

async function open(url, { allowHttp = false, viewport = { width: 1000, height: 700 } } = {}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const trouble = { requests: [], dialogs: 0, errors: [] };
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const u = request.url();
    if (/^(file|data|blob):/.test(u) || (allowHttp && u.startsWith('http://127.0.0.1'))) {
      request.continue();
    } else {
      trouble.requests.push(u);
      request.abort();
    }
  });
  page.on('dialog', async (dialog) => {
    trouble.dialogs++;
    await dialog.dismiss();
  });
  page.on('pageerror', (error) => trouble.errors.push(String(error)));
  await page.goto(url);
  await page.waitForSelector('[data-sakuzu-ready]', { timeout: 30000 });
  return { page, trouble };
}

// The program at rest; a program that never comes to rest fails here, with
// the step that waited, rather than at the browser's protocol timeout.
async function idle(page) {
  const stuck = new Error('the program did not come to rest');
  let timer;
  const late = new Promise((_, reject) => { timer = setTimeout(() => reject(stuck), 30000); });
  try {
    return await Promise.race([page.evaluate(() => window.sakuzuApp.idle()), late]);
  } finally {
    clearTimeout(timer);
  }
}
const state = (page) => page.evaluate(() => window.sakuzuApp.state);
const objects = (page) => page.evaluate(() => window.sakuzuApp.objects());
const digest = (page) => page.evaluate(() => window.sakuzuApp.digest());

async function canvasBox(page) {
  return (await page.$('#stack canvas')).boundingBox();
}

// A menu item by clicks: the top menu, the submenus on the way, the item.
async function menu(page, ...names) {
  await page.click(`#menubar [data-name="${names[0]}"]`);
  for (const name of names.slice(1, -1)) await page.hover(`li[data-name="${name}"]`);
  await page.click(`li[data-name="${names[names.length - 1]}"]`);
  await idle(page);
}

async function click(page, x, y) {
  await page.mouse.click(x, y);
  await idle(page);
}

// A point's place on the screen.
async function pointAt(page, name) {
  const box = await canvasBox(page);
  const p = (await objects(page)).points.find((q) => q.name === name);
  return { x: box.x + p.px + 0.5, y: box.y + p.py + 0.5 };
}

// Downloads land in a folder of their own.
async function downloadsTo(page, folder) {
  fs.mkdirSync(folder, { recursive: true });
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
}

async function waitForFile(file) {
  for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 100));
  return fs.existsSync(file);
}

// --------------------------------------------------------- constructing
const saved = path.join(work, 'downloads');
{
  const { page, trouble } = await open(pathToFileURL(program).href);
  await downloadsTo(page, saved);
  const box = await canvasBox(page);
  const at = (x, y) => [box.x + box.width / 2 + x, box.y + box.height / 2 + y];

  // Three free points by clicks, after the menu's new-point command.
  await menu(page, 'mnuConstruction', 'mnuConstPoint', 'mnuPnew', 'mnuPnewFreeP');
  for (const [x, y] of [[-150, 90], [140, 110], [-20, -120]]) await click(page, ...at(x, y));
  await page.keyboard.press('Escape');
  await idle(page);
  check((await objects(page)).points.length === 3, 'three free points');

  // The circumcircle through the menu: each vertex clicked twice (the
  // candidate, then confirmed).
  await menu(page, 'mnuConstruction', 'mnuConstCircle', 'mnuCgaisetsu');
  for (const name of ['A', 'B', 'C']) {
    const p = await pointAt(page, name);
    await click(page, p.x, p.y);
    await click(page, p.x, p.y);
  }
  let figure = await objects(page);
  check(figure.circles.length === 1 && figure.circles[0].exists, 'the circumcircle');
  const radius = (c, p) => Math.hypot(p.x - c.cx, p.y - c.cy);
  const onCircle = (f) => f.points.slice(0, 3).every((p) => Math.abs(radius(f.circles[0], p) - f.circles[0].r) < 1e-9);
  check(onCircle(figure), 'the circle passes through the three points');

  // A measurement: the distance of A and B, by the measure menu.
  await menu(page, 'mnuMeasure', 'mnuMdis', 'mnuMdis2P');
  for (const name of ['A', 'B']) {
    const p = await pointAt(page, name);
    await click(page, p.x, p.y);
    await click(page, p.x, p.y);
  }
  figure = await objects(page);
  const ab = Math.hypot(figure.points[0].x - figure.points[1].x, figure.points[0].y - figure.points[1].y);
  check(figure.numbers.length === 1 && Math.abs(figure.numbers[0].value - ab) < 1e-9,
        'the distance AB measured');
  check((await state(page)).caption.startsWith('[*untitled'), 'the caption marks unsaved work');

  // A drag of C: the circle follows, and so does the measurement's list.
  const before = await objects(page);
  const c = await pointAt(page, 'C');
  await page.mouse.move(c.x, c.y);
  await page.mouse.down();
  for (let k = 1; k <= 10; ++k) await page.mouse.move(c.x + 6 * k, c.y + 3 * k);
  await page.mouse.up();
  await idle(page);
  figure = await objects(page);
  check(Math.abs(figure.points[2].x - before.points[2].x) > 1, 'C moved with the mouse');
  check(figure.circles[0].r !== before.circles[0].r && onCircle(figure), 'the circle follows C');

  // Undo puts C back exactly; redo moves it again.
  const afterDrag = await digest(page);
  await page.keyboard.down('Control');
  await page.keyboard.press('z');
  await page.keyboard.up('Control');
  await idle(page);
  check(JSON.stringify((await objects(page)).points) === JSON.stringify(before.points), 'Ctrl+Z undoes the drag');
  await page.keyboard.down('Control');
  await page.keyboard.press('y');
  await page.keyboard.up('Control');
  await idle(page);
  check((await digest(page)) === afterDrag, 'Ctrl+Y redoes it');

  // Save: the download holds exactly the bytes the program's core writes
  // for the same steps.
  await menu(page, 'mnuFile', 'mnuSave');
  const file = path.join(saved, 'untitled.zk4');
  check(await waitForFile(file), 'the figure downloads as untitled.zk4');
  check(!(await state(page)).caption.startsWith('[*'), 'saved: no unsaved mark');
  const log = await page.evaluate(() => window.sakuzuApp.log);
  const size = await page.evaluate(() => [window.sakuzuApp.width, window.sakuzuApp.height]);
  const steps = ['size ' + size.join(' ')];
  for (const [name, ...values] of log) {
    if (name === 'sakuzu_program_command') steps.push('command ' + values[0]);
    if (name === 'sakuzu_program_pointer') steps.push('pointer ' + values.join(' '));
    if (name === 'sakuzu_program_key') steps.push('key ' + values.join(' '));
  }
  fs.writeFileSync(path.join(work, 'steps.txt'), steps.join('\n') + '\n');
  const expected = path.join(work, 'expected.zk4');
  execFileSync(reference, [path.join(work, 'steps.txt'), expected]);
  check(fs.existsSync(file) && Buffer.compare(fs.readFileSync(file), fs.readFileSync(expected)) === 0,
        'the saved file is byte-identical to the core\'s');

  // The saved file opens again through the file picker: the same figure.
  const savedDigest = await digest(page);
  await page.keyboard.down('Control');
  await page.keyboard.down('Alt');
  await page.keyboard.press('n');
  await page.keyboard.up('Alt');
  await page.keyboard.up('Control');
  await page.waitForSelector('.modal .dialog');
  await page.keyboard.press('y');  // "はい(Y)": a new figure, its first point to place
  await idle(page);
  await page.keyboard.press('Escape');
  await idle(page);
  check((await objects(page)).points.length === 0, 'Ctrl+Alt+N starts a new figure');
  const chooser = page.waitForFileChooser();
  await menu(page, 'mnuFile', 'mnuLoad');
  await page.click('.dialog button[name="device"]');
  await (await chooser).accept([file]);
  // The new figure is unsaved: the save question comes first ("破棄").
  await page.waitForSelector('.modal .dialog');
  await page.click('.modal .buttons button:nth-child(2)');
  await page.waitForFunction(() => window.sakuzuApp.state.panels[1] === 'untitled.zk4');
  await idle(page);
  check((await digest(page)) === savedDigest, 'the file picked again shows the same figure');

  // A hostile figure: markup in names and a damaged line. The refusal is
  // text; the figure stays.
  const hostile = fs.readFileSync(file, 'latin1').replace(/"A"/, '"<img src=x onerror=alert(1)>"');
  const bad = path.join(work, '<b>bad<i>.zk4');
  fs.writeFileSync(bad, hostile.replace(/^[^\r\n]*/, 'not a count'), 'latin1');
  const chooser2 = page.waitForFileChooser();
  await menu(page, 'mnuFile', 'mnuLoad');
  await page.click('.dialog button[name="device"]');
  await (await chooser2).accept([bad]);
  await page.waitForSelector('.modal .dialog');
  const shown = await page.evaluate(() => document.querySelector('.modal .text').textContent);
  check(shown.length > 0 && shown.includes('bad'), 'a refused file shows the reader\'s message');
  check(await page.evaluate(() => document.querySelectorAll('img[src="x"], b, i').length === 0),
        'no markup made from a file');
  await page.keyboard.press('Enter');
  await idle(page);
  check((await digest(page)) === savedDigest, 'the figure stays after a refused file');
  const named = path.join(work, 'names.zk4');
  fs.writeFileSync(named, hostile, 'latin1');
  const chooser3 = page.waitForFileChooser();
  await menu(page, 'mnuFile', 'mnuLoad');
  await page.click('.dialog button[name="device"]');
  await (await chooser3).accept([named]);
  await page.waitForFunction(() => window.sakuzuApp.state.panels[1] === 'names.zk4');
  check(await page.evaluate(() => document.querySelectorAll('img[src="x"]').length === 0),
        'a name with markup stays text');
  check(trouble.requests.length === 0, 'no network request: ' + trouble.requests.join(' '));
  check(trouble.dialogs === 0 && trouble.errors.length === 0,
        'no browser dialog, no page error: ' + trouble.errors.join(' '));
  await page.close();
}

// -------------------------------------------------------------- touch
{
  const { page, trouble } = await open(pathToFileURL(program).href + '?open=sample.zk4',
                                       { viewport: { width: 900, height: 650, hasTouch: true } });
  await idle(page);
  const before = await objects(page);
  // A finger drag drags A.
  const a = await pointAt(page, 'A');
  await page.touchscreen.touchStart(a.x, a.y);
  for (let k = 1; k <= 8; ++k) await page.touchscreen.touchMove(a.x - 5 * k, a.y - 4 * k);
  await page.touchscreen.touchEnd();
  await idle(page);
  const dragged = await objects(page);
  check(Math.abs(dragged.points[0].x - before.points[0].x) > 1, 'a finger drag moves A');
  // A tap picks: the circumcircle's vertices by taps.
  await menu(page, 'mnuConstruction', 'mnuConstCircle', 'mnuCgaisetsu');
  for (const name of ['A', 'B', 'C']) {
    const p = await pointAt(page, name);
    await page.touchscreen.tap(p.x, p.y);
    await idle(page);
    await page.touchscreen.tap(p.x, p.y);
    await idle(page);
  }
  check((await objects(page)).circles.length === before.circles.length + 1, 'taps pick the inputs');
  // Is it always true? A and the circle through it by taps, a long press
  // checks them.
  const figureBefore = await digest(page);
  await menu(page, 'mnuMeasure', 'mnuMcheck');
  const a2 = await pointAt(page, 'A');
  const tap = async (p) => { await page.touchscreen.tap(p.x, p.y); await idle(page); };
  await tap(a2);
  if ((await state(page)).prompt.includes('(1/4)')) await tap(a2);  // marked, then chosen
  const o = await objects(page);
  const [pa, pb, circle] = [o.points[0], o.points[1], o.circles[0]];
  const sx = (pb.px - pa.px) / (pb.x - pa.x), sy = (pb.py - pa.py) / (pb.y - pa.y);
  let onCircle = null, room = 0;  // the place of the circle farthest from the vertices
  for (let k = 0; k < 360; ++k) {
    const x = circle.cx + circle.r * Math.cos(k * Math.PI / 180);
    const y = circle.cy + circle.r * Math.sin(k * Math.PI / 180);
    const near = Math.min(...o.points.map((p) => Math.hypot(p.x - x, p.y - y)));
    if (near > room) [onCircle, room] = [{ x: a2.x + sx * (x - pa.x), y: a2.y + sy * (y - pa.y) }, near];
  }
  await tap(onCircle);  // marked
  await tap(onCircle);  // chosen
  await page.touchscreen.touchStart(a2.x, a2.y);
  await new Promise((r) => setTimeout(r, 900));
  await page.touchscreen.touchEnd();
  await page.waitForSelector('.modal .dialog');
  const answer = await page.evaluate(() => document.querySelector('.modal .text').textContent);
  check(/^A は常に 円\d+ 上にあります（10,000 通り中/.test(answer), 'the relation check answers: ' + answer);
  await page.keyboard.press('Enter');
  await idle(page);
  check((await digest(page)) === figureBefore && (await state(page)).mode === 2,
        'the check leaves the figure as it was');
  // A long press opens the pop-up menu of the point.
  const b = await pointAt(page, 'B');
  await page.touchscreen.touchStart(b.x, b.y);
  await new Promise((r) => setTimeout(r, 900));
  await page.touchscreen.touchEnd();
  await idle(page);
  check(await page.evaluate(() => !!document.querySelector('.popup li[data-name="mnuEdit2_point_Edit"]')),
        'a long press opens the pop-up menu');
  check(trouble.errors.length === 0, 'no page error with touch: ' + trouble.errors.join(' '));
  await page.close();
}

// ------------------------------------------------- installed, offline
{
  const served = path.join(work, 'served');
  fs.mkdirSync(served);
  for (const name of ['sakuzu.html', 'sakuzu-sw.js', 'sakuzu.webmanifest']) {
    fs.copyFileSync(path.join(build, name), path.join(served, name));
  }
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const p = probe.address().port;
      probe.close(() => resolve(p));
    });
  });
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
                       { cwd: served, stdio: 'ignore' });
  await new Promise((r) => setTimeout(r, 800));
  const url = `http://127.0.0.1:${port}/sakuzu.html`;
  const { page } = await open(url, { allowHttp: true });
  const active = await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    return !!registration.active;
  });
  check(active, 'the service worker is active');
  check(await page.evaluate(() => !!document.querySelector('link[rel="manifest"]')), 'the manifest is named');
  server.kill();
  await new Promise((r) => setTimeout(r, 300));
  await page.reload();
  await page.waitForSelector('[data-sakuzu-ready="ready"]', { timeout: 30000 });
  const box = await canvasBox(page);
  await page.keyboard.down('Control');
  await page.keyboard.press('f');
  await page.keyboard.up('Control');
  await idle(page);
  await click(page, box.x + 200, box.y + 200);
  await page.keyboard.press('Escape');
  await idle(page);
  check((await objects(page)).points.length === 1, 'offline, the program still constructs');
  await page.close();
}

await browser.close();
fs.rmSync(work, { recursive: true, force: true });
if (failures > 0) {
  console.error(failures + ' check(s) failed');
  process.exit(1);
}
console.log('program in the browser: every check passed');
