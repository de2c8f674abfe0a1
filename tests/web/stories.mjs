// The box set's web page played in Debian's Chromium as a player plays it: real key presses and
// mouse clicks on the page. What the page shows is held against the desktop's own painter: the
// launcher against `tolvane-snapshot` for the same input, and each game against
// `tolvane-snapshot` playing the journal the page offers for download.
//
//   node stories.mjs URL SNAPSHOT
import puppeteer from 'puppeteer-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const [url, snapshotTool] = process.argv.slice(2);
const scriptTool = path.join(path.dirname(snapshotTool), '..', '..', 'app', 'tolvane-script');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tolvane-web-'));
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

class Failure extends Error {}
function check(condition, message) {
  if (!condition) throw new Failure(message);
}

// ---- The desktop's side: tolvane-script and tolvane-snapshot ----

let scripts = 0;
function scriptFile(lines) {
  const file = path.join(work, `script-${++scripts}.txt`);
  fs.writeFileSync(file, lines.join('\n') + '\n');
  return file;
}

// The runner's state after a script, as `dump` prints it.
function stateAfter(lines) {
  return JSON.parse(execFileSync(scriptTool, [scriptFile([...lines, 'dump'])], { encoding: 'utf8' }));
}

// A PNG of tolvane-snapshot (8-bit RGB or RGBA, not interlaced) as rows of RGB.
function readPng(file) {
  const bytes = fs.readFileSync(file);
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const chunk = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = chunk.readUInt32BE(0);
      height = chunk.readUInt32BE(4);
      check(chunk[8] === 8 && chunk[12] === 0, `${file}: not an 8-bit, non-interlaced PNG`);
      channels = { 2: 3, 6: 4 }[chunk[9]];
      check(channels, `${file}: colour type ${chunk[9]} is not RGB or RGBA`);
    } else if (type === 'IDAT') {
      data.push(chunk);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rgb = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const left = i >= channels ? row[i - channels] : 0;
      const up = previous[i];
      const upLeft = i >= channels ? previous[i - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = left;
      else if (filter === 2) predicted = up;
      else if (filter === 3) predicted = (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - upLeft;
        const [a, b, c] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - upLeft)];
        predicted = a <= b && a <= c ? left : b <= c ? up : upLeft;
      }
      row[i] = (row[i] + predicted) & 0xff;
    }
    for (let x = 0; x < width; ++x)
      row.copy(rgb, (y * width + x) * 3, x * channels, x * channels + 3);
    previous = row;
  }
  return { width, height, rgb };
}

function desktopPicture(scriptLinesOrFile, window, scale = 1) {
  const script = typeof scriptLinesOrFile === 'string' ? scriptLinesOrFile : scriptFile(scriptLinesOrFile);
  const out = path.join(work, `snapshot-${++scripts}.png`);
  execFileSync(snapshotTool, ['--scale', String(scale), script, window, out]);
  return readPng(out);
}

// ---- The page's side ----

// A fresh page with the box set loaded, its console watched and its downloads kept.
async function openPage(browser) {
  // Each story in a context of its own, as a first visit: no service worker, store or cache of
  // another story's.
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  page.problems = [];
  page.on('console', message => {
    if (process.env.TOLVANE_CONSOLE) console.log(`console: ${message.text()}`);
    if (message.type() === 'error' || message.type() === 'warn' || message.type() === 'warning')
      page.problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', error => page.problems.push(`page error: ${error.message}`));
  page.downloads = fs.mkdtempSync(path.join(work, 'downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: page.downloads, browserContextId: context.id });
  await page.goto(url);
  await page.evaluate(() => tolvane.ready);
  return page;
}

// The box set's windows on the page: name, whether shown, whether active.
function windowsOn(page) {
  return page.$$eval('.window', frames => frames.map(frame => ({
    name: frame.dataset.name, shown: !frame.hidden, active: frame.classList.contains('active'),
    caption: frame.querySelector('.caption').textContent,
  })));
}

async function canvasBox(page, window) {
  const canvas = await page.$(`.window[data-name="${window}"] canvas`);
  check(canvas, `no window ${window} on the page`);
  return canvas.boundingBox();
}

// Clicks the middle of a sprite where the desktop's runner has it after `lines`.
async function clickSprite(page, lines, window, sprite) {
  const found = stateAfter(lines).windows[window].sprites[sprite];
  const box = await canvasBox(page, window);
  await page.mouse.click(box.x + Math.floor((found.Left + found.Width / 2) / 15),
                         box.y + Math.floor((found.Top + found.Height / 2) / 15));
}

// The pixels of a window's canvas, as rows of RGB.
async function pagePicture(page, window) {
  const { width, height, pixels } = await page.$eval(`.window[data-name="${window}"] canvas`, canvas => {
    // Read from a copy, so that the page's own canvas is never read back.
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d', { willReadFrequently: true });
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4)
      text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return { width: canvas.width, height: canvas.height, pixels: btoa(text) };
  });
  return { width, height, rgb: Buffer.from(pixels, 'base64') };
}

function differingPixels(a, b) {
  check(a.width === b.width && a.height === b.height, `sizes differ: ${a.width}x${a.height} against ${b.width}x${b.height}`);
  let differing = 0;
  for (let i = 0; i < a.rgb.length; i += 3)
    if (a.rgb[i] !== b.rgb[i] || a.rgb[i + 1] !== b.rgb[i + 1] || a.rgb[i + 2] !== b.rgb[i + 2])
      ++differing;
  return differing;
}

// The page's canvas of a window against tolvane-snapshot's picture at the page's pixel density.
async function expectDesktopPixels(page, window, scriptOrLines, scale = 1) {
  const differing = differingPixels(await pagePicture(page, window), desktopPicture(scriptOrLines, window, scale));
  check(differing === 0, `${window}: ${differing} pixels differ from tolvane-snapshot --scale ${scale}`);
}

async function waitFor(condition, what, ms = 3000) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(20))
    if (await condition()) return;
  throw new Failure(`${what} did not happen within ${ms} ms`);
}

// Pauses the box set, then saves the journal with the page's own link, as a player would. The
// journal ends with the state of every window on the page, which its replay must reach exactly.
async function pauseAndDownloadJournal(page) {
  await page.keyboard.press('Pause');
  await waitFor(() => page.evaluate(() => tolvane.paused), 'the pause');
  await page.click('#journal');
  const file = path.join(page.downloads, 'tolvane-journal.txt');
  await waitFor(() => fs.existsSync(file) && fs.readFileSync(file, 'utf8').endsWith('\n'), 'the journal download');
  await sleep(100);
  const text = fs.readFileSync(file, 'utf8');
  const stateLine = text.split('\n').find(line => line.startsWith('# state '));
  check(stateLine, 'the journal has no state line');
  const onPage = stateLine.slice('# state '.length);
  const replayed = JSON.stringify(stateAfter([text]));
  check(onPage === replayed, `the journal's state is not the replay's:\n  page:   ${onPage}\n  replay: ${replayed}`);
  return file;
}

// Which of the launcher's arrows turns its page to a game's picture.
function arrowTo(picture) {
  for (const arrow of ['Image1', 'Image2'])
    if (stateAfter([`click Mainform ${arrow}`]).windows.Mainform.sprites[picture].Visible) return arrow;
  throw new Failure(`no arrow turns the launcher to ${picture}`);
}

// Turns the launcher to a game's picture and clicks it, as a player does, and waits for `window`;
// returns the same clicks as lines for the runner.
async function openGame(page, picture, window) {
  const lines = [];
  if (!stateAfter([]).windows.Mainform.sprites[picture].Visible) {
    const arrow = arrowTo(picture);
    await clickSprite(page, [], 'Mainform', arrow);
    lines.push(`click Mainform ${arrow}`);
  }
  await clickSprite(page, lines, 'Mainform', picture);
  lines.push(`click Mainform ${picture}`);
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === window && w.shown), `the window ${window}`);
  return lines;
}

// Opens the road game and starts the board from its start window.
async function openBoard(page) {
  const lines = await openGame(page, 'imgpondleap', 'Pondleap2');
  await clickSprite(page, lines, 'Pondleap2', 'Image1');
  lines.push('click Pondleap2 Image1');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap1' && w.shown && w.active), 'the board');
  return lines;
}

// ---- The stories ----

const stories = [];
const story = (name, play) => stories.push({ name, play });

story('the launcher appears, centred and active, and the page then rests', async page => {
  const startMs = await page.evaluate(() => tolvane.startMs);
  const windows = await windowsOn(page);
  const launcher = stateAfter([]).windows.Mainform;
  check(windows.length === 1 && windows[0].name === 'Mainform' && windows[0].shown && windows[0].active,
        `windows on the page: ${JSON.stringify(windows)}`);
  check(windows[0].caption === launcher.Caption, `caption "${windows[0].caption}", not "${launcher.Caption}"`);
  check(startMs < 10000, `the launcher took ${startMs} ms`);
  const [desktop, frame] = await page.$$eval('#desktop, .window[data-name="Mainform"]',
    boxes => boxes.map(box => box.getBoundingClientRect().toJSON()));
  check(Math.abs(frame.left - (desktop.width - frame.width) / 2) <= 1
        && Math.abs(frame.top - Math.max(0, (desktop.height - frame.height) / 2)) <= 1,
        `the launcher is not centred: ${JSON.stringify(frame)} on ${JSON.stringify(desktop)}`);
  const rounds = await page.evaluate(() => tolvane.rounds);
  await sleep(1000);
  check(await page.evaluate(() => tolvane.rounds) === rounds, 'the page woke the box set with nothing happening');
  return `on screen ${startMs.toFixed(0)} ms after the page began loading`;
});

story('the launcher is painted as on the desktop', async page => {
  await expectDesktopPixels(page, 'Mainform', []);
});

story('an arrow turns the launcher\'s page', async page => {
  const before = await pagePicture(page, 'Mainform');
  await clickSprite(page, [], 'Mainform', 'Image2');
  await sleep(100);
  check(differingPixels(before, await pagePicture(page, 'Mainform')) > 0, 'the launcher did not change');
  await expectDesktopPixels(page, 'Mainform', ['click Mainform Image2']);
});

story('on a browser window lower than the launcher, the desktop scrolls to its foot', async page => {
  await page.setViewport({ width: 900, height: 560 });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const foot = () => page.$$eval('#desktop, .window[data-name="Mainform"]', ([desktop, frame]) => ({
    desktop: desktop.getBoundingClientRect().bottom, frame: frame.getBoundingClientRect().bottom,
  }));
  const before = await foot();
  check(before.frame > before.desktop, `the launcher fits: ${JSON.stringify(before)}`);
  await page.mouse.move(450, 300);
  await page.mouse.wheel({ deltaY: 1000 });
  await waitFor(async () => { const now = await foot(); return now.frame <= now.desktop; }, 'a scroll of the wheel to the launcher\'s foot');
  // Clicks on the scrolled desktop land where they point.
  await clickSprite(page, [], 'Mainform', 'Image2');
  await sleep(100);
  await expectDesktopPixels(page, 'Mainform', ['click Mainform Image2']);
});

story('on a screen of high density the windows are painted at its density, also after a zoom', async page => {
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 2 });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const sizes = () => page.$eval('.window[data-name="Mainform"] canvas', canvas => ({
    width: canvas.width, height: canvas.height, shownWidth: canvas.getBoundingClientRect().width,
  }));
  const sharp = await sizes();
  check(sharp.shownWidth === 758 && sharp.width === 2 * 758, `the launcher's canvas: ${JSON.stringify(sharp)}`);
  await expectDesktopPixels(page, 'Mainform', [], 2);
  // A click lands where it points on the page, whatever the density.
  await clickSprite(page, [], 'Mainform', 'Image2');
  await sleep(100);
  await expectDesktopPixels(page, 'Mainform', ['click Mainform Image2'], 2);
  // The page zoomed out to one and a half screen pixels a page pixel: painted afresh. The headless
  // browser changes the density without the resize a real zoom brings, so the story sends it.
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1.5 });
  await page.evaluate(() => dispatchEvent(new Event('resize')));
  await waitFor(async () => (await sizes()).width !== sharp.width, 'the repaint at the new density');
  const zoomed = await sizes();
  check(zoomed.shownWidth === 758 && zoomed.width === 1137, `the launcher's canvas after the zoom: ${JSON.stringify(zoomed)}`);
  await expectDesktopPixels(page, 'Mainform', ['click Mainform Image2'], 1.5);
});

story('a title bar drags its window, a click raises the window behind', async page => {
  await clickSprite(page, await openGame(page, 'imgpondleap', 'Pondleap2'), 'Pondleap2', 'Image2');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap3' && w.shown && w.active), 'the help window');
  const bar = await (await page.$('.window[data-name="Pondleap3"] .caption')).boundingBox();
  const before = await canvasBox(page, 'Pondleap3');
  await page.mouse.move(bar.x + 20, bar.y + 5);
  await page.mouse.down();
  await page.mouse.move(bar.x + 20 - 150, bar.y + 5 + 40, { steps: 5 });
  await page.mouse.up();
  const after = await canvasBox(page, 'Pondleap3');
  check(after.x === before.x - 150 && after.y === before.y + 40, `dragged from ${JSON.stringify(before)} to ${JSON.stringify(after)}`);
  const start = await (await page.$('.window[data-name="Pondleap2"] .caption')).boundingBox();
  await page.mouse.click(start.x + 10, start.y + 5);
  const windows = await windowsOn(page);
  check(windows.find(w => w.name === 'Pondleap2').active && !windows.find(w => w.name === 'Pondleap3').active,
        `after the click: ${JSON.stringify(windows)}`);
  const [front, back] = await page.$$eval('.window[data-name="Pondleap2"], .window[data-name="Pondleap3"]',
    frames => frames.map(frame => Number(frame.style.zIndex)));
  check(front > back, 'the clicked window is not in front');
});

story('Pondleap opens from its picture and the frog answers the arrows', async page => {
  const opening = await openBoard(page);
  await sleep(300);
  for (let i = 0; i < 2; ++i) {
    await page.keyboard.press('ArrowUp');
    await sleep(100);
  }
  const journal = await pauseAndDownloadJournal(page);
  const ticks = await page.evaluate(() => tolvane.ticks);
  await sleep(300);
  check(await page.evaluate(() => tolvane.ticks) === ticks, 'ticks ran while paused');
  check((await windowsOn(page)).find(w => w.name === 'Pondleap1').caption.endsWith('(paused)'), 'the caption does not say paused');
  const start = stateAfter(opening).windows.Pondleap1.sprites.frog.Top;
  const frog = stateAfter([fs.readFileSync(journal, 'utf8')]).windows.Pondleap1.sprites.frog.Top;
  check(frog === start - 400, `the frog is at ${frog}, not two steps up from ${start}`);
  await expectDesktopPixels(page, 'Pondleap1', journal);
});

story('Starbreach opens from its picture and the cannon answers the keys', async page => {
  const opening = await openGame(page, 'imgstarbreach', 'Starbreach1');
  await sleep(200);
  for (const key of ['ArrowLeft', 'ArrowLeft', 'Space', 'ArrowLeft']) {
    await page.keyboard.press(key);
    await sleep(80);
  }
  const journal = await pauseAndDownloadJournal(page);
  const start = stateAfter(opening).windows.Starbreach1.sprites.Imgshoot.Left;
  const cannon = stateAfter([fs.readFileSync(journal, 'utf8')]).windows.Starbreach1.sprites.Imgshoot.Left;
  check(cannon < start, `the cannon is at ${cannon}, not left of ${start}`);
  await expectDesktopPixels(page, 'Starbreach1', journal);
});

story('Skyhaul opens from its picture and climbs while the button is held', async page => {
  const opening = await openGame(page, 'ImgCopter', 'Helicoptergame');
  const box = await canvasBox(page, 'Helicoptergame');
  await page.mouse.click(box.x + 300, box.y + 200);
  await sleep(150);
  await page.mouse.down();
  await sleep(400);
  // The release comes outside the window; it still goes to the window that took the press.
  await page.mouse.move(box.x - 40, box.y + 200);
  await page.mouse.up();
  await sleep(100);
  const journal = await pauseAndDownloadJournal(page);
  const text = fs.readFileSync(journal, 'utf8');
  // The journal writes a release away from the window that took the press against another window.
  check(/^release (?!Helicoptergame )\S+ -592\.5 /m.test(text), 'the release outside the window did not reach it');
  const start = stateAfter(opening).windows.Helicoptergame.sprites.Imghelicopter.Top;
  const top = stateAfter([text]).windows.Helicoptergame.sprites.Imghelicopter.Top;
  check(top < start, `the helicopter is at ${top}, not above ${start}`);
  await expectDesktopPixels(page, 'Helicoptergame', journal);
});

story('the board is heard: the traffic, the hops, Ctrl+M and the pause', async page => {
  await openBoard(page);
  const sound = () => page.evaluate(() => tolvane.sound);
  const muteKey = async () => {
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyM');
    await page.keyboard.up('Control');
  };
  await waitFor(async () => (await sound()).loops.includes('Traffic'), 'the traffic');
  await waitFor(async () => (await sound()).running, 'the audio running');
  await page.keyboard.press('ArrowUp');
  await waitFor(async () => (await sound()).heard.Hop === 1, 'the hop');
  await muteKey();
  await waitFor(async () => (await sound()).loops.length === 0, 'the silence of Ctrl+M');
  await page.keyboard.press('ArrowUp');
  await sleep(200);
  check((await sound()).heard.Hop === 1, 'a hop was heard while muted');
  check(await page.evaluate(() => localStorage.getItem('tolvane.muted')) === 'true', 'the choice was not kept');
  await muteKey();
  await waitFor(async () => (await sound()).loops.includes('Traffic'), 'the traffic again');
  await page.keyboard.press('Pause');
  await waitFor(async () => (await sound()).loops.length === 0, 'the silence of the pause');
});

story('a close button unloads its window as on the desktop', async page => {
  await clickSprite(page, await openGame(page, 'imgpondleap', 'Pondleap2'), 'Pondleap2', 'Image2');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap3' && w.shown), 'the help window');
  await page.click('.window[data-name="Pondleap3"] .close');
  await sleep(100);
  const expected = stateAfter(['click Mainform imgpondleap', 'click Pondleap2 Image2', 'close Pondleap3']);
  check(!expected.windows.Pondleap3.loaded, 'the runner keeps the help window loaded');
  const windows = await windowsOn(page);
  for (const [name, window] of Object.entries(expected.windows)) {
    const shown = windows.find(w => w.name === name);
    check(window.loaded === !!shown, `${name} is ${shown ? '' : 'not '}on the page`);
    if (shown) check(shown.shown === window.visible, `${name} is ${shown.shown ? 'shown' : 'hidden'}`);
  }
});

story('closing the last window ends the box set, and it starts again', async page => {
  await page.click('.window[data-name="Mainform"] .close');
  await waitFor(() => page.$eval('#ended', notice => !notice.hidden), 'the end notice');
  check((await page.$eval('#ended', notice => notice.textContent)).includes('The box set has ended'), 'the notice says something else');
  check((await windowsOn(page)).length === 0, 'windows stayed on the page');
  await page.click('#restart');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Mainform' && w.shown && w.active), 'the launcher again');
  await expectDesktopPixels(page, 'Mainform', []);
});

// A fault of the program's own stops the box set: its windows leave the page, no tick runs any
// more, and the page says why. Planted two ways: a failure that leaves a handler, and a broken
// check, which aborts the program.
for (const [kind, what, reason] of [[0, 'a failure that leaves a handler', 'a failure planted by a story'],
                                    [1, 'a broken check', 'a broken check planted by a story']]) {
  story(`${what} stops the box set, and the page says why`, async page => {
    await openBoard(page);
    await page.evaluate(kind => { try { Module._web_plant_fault(kind); } catch (aborted) {} }, kind);
    await waitFor(() => page.$eval('#failed', notice => !notice.hidden), 'the fault notice');
    const said = await page.$eval('#failure', notice => notice.textContent);
    check(said.includes(reason), `the notice says "${said}"`);
    check((await windowsOn(page)).length === 0, 'windows stayed on the page');
    const ticks = await page.evaluate(() => tolvane.ticks);
    await sleep(300);
    check(await page.evaluate(() => tolvane.ticks) === ticks, 'the box set went on ticking');
    await page.keyboard.press('ArrowUp');
    await page.mouse.click(300, 300);
    // The page said it on the console too, and the runtime that an abort stops says so; nothing
    // else may be there.
    page.problems = page.problems.filter(problem => !problem.includes(reason) && !/: Aborted\(\)$/.test(problem));
    return `"${said}"`;
  });
}

story('a game runs at 64 ticks a second, and a stall costs one late tick', async page => {
  await openBoard(page);
  await sleep(200);
  const rate = await page.evaluate(async () => {
    const ticks = tolvane.ticksOf('Pondleap1');
    const start = performance.now();
    await new Promise(resolve => setTimeout(resolve, 3000));
    return (tolvane.ticksOf('Pondleap1') - ticks) * 1000 / (performance.now() - start);
  });
  check(rate > 50 && rate < 70, `${rate.toFixed(2)} ticks a second`);
  // The page's thread is held for a second, as a busy or hidden tab is: the board's timer then
  // ticks once, late, and goes on at its pace with no burst.
  const stall = await page.evaluate(async () => {
    const before = tolvane.ticksOf('Pondleap1');
    for (const end = performance.now() + 1000; performance.now() < end;) {}
    await new Promise(resolve => setTimeout(resolve, 10));
    return tolvane.ticksOf('Pondleap1') - before;
  });
  check(stall >= 1 && stall <= 2, `${stall} ticks came at the end of a one-second stall`);
  return `${rate.toFixed(2)} ticks a second; ${stall} tick(s) just after a one-second stall`;
});

story('a hidden tab pauses the box set, and showing it again plays on', async page => {
  await openBoard(page);
  await sleep(200);
  const board = async () => (await windowsOn(page)).find(w => w.name === 'Pondleap1');
  const other = await page.browserContext().newPage();
  await other.bringToFront();
  await waitFor(() => page.evaluate(() => document.visibilityState === 'hidden'), 'the tab hidden');
  await waitFor(() => page.evaluate(() => tolvane.paused), 'the pause of the hidden tab');
  const ticks = await page.evaluate(() => tolvane.ticksOf('Pondleap1'));
  await sleep(1000);
  const hiddenTicks = await page.evaluate(() => tolvane.ticksOf('Pondleap1')) - ticks;
  check(hiddenTicks === 0, `${hiddenTicks} ticks ran in the hidden tab`);
  check((await board()).caption === 'Pondleap Game (paused)', `the board's caption: ${(await board()).caption}`);
  await page.bringToFront();
  await waitFor(() => page.evaluate(() => !tolvane.paused), 'the box set playing on');
  await waitFor(async () => await page.evaluate(() => tolvane.ticksOf('Pondleap1')) > ticks + 5, 'the board ticking again');
  // A pause the player began stays when the tab comes back.
  await page.click('#pause');
  await other.bringToFront();
  await waitFor(() => page.evaluate(() => document.visibilityState === 'hidden'), 'the tab hidden again');
  await page.bringToFront();
  await waitFor(() => page.evaluate(() => document.visibilityState === 'visible'), 'the tab shown again');
  await sleep(300);
  check(await page.evaluate(() => tolvane.paused), 'the player\'s pause ended with the tab shown');
  await other.close();
  return `${hiddenTicks} ticks in a hidden second`;
});

// ---- Every visitor: the keyboard alone, a screen reader, a failed load, a finger ----

// What has the focus, as a visitor hears it: a window by its name, a control by its text or label.
const focused = page => page.evaluate(() => {
  const element = document.activeElement;
  return element.getAttribute('aria-label') || element.textContent.trim();
});

story('with the keyboard alone: Tab moves the focus, the page\'s controls answer Enter and Space, the browser keeps its keys', async page => {
  // What the page did with each key: the story's own listener hears it last, and keeps the browser
  // from acting on F5 and the like, which would reload the page under the story.
  await page.evaluate(() => {
    window.keysTaken = {};
    addEventListener('keydown', event => {
      window.keysTaken[event.key] = event.defaultPrevented;
      if (/^F\d+$/.test(event.key) || event.ctrlKey) event.preventDefault();
    });
  });
  check(await focused(page) === 'Tolvane box set', `the launcher does not have the focus: ${await focused(page)}`);
  for (const key of ['ArrowLeft', 'Space', 'Enter', 'F5', 'F11', 'F12', 'Escape', 'Backspace', 'PageDown', 'End', 'KeyA', 'Digit1'])
    await page.keyboard.press(key);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyL');
  await page.keyboard.up('Control');
  const taken = await page.evaluate(() => window.keysTaken);
  const expected = { ArrowLeft: true, ' ': true, Enter: true, F5: false, F11: false, F12: false, Escape: false,
                     Backspace: false, PageDown: false, End: false, a: false, 1: false, l: false };
  for (const [key, was] of Object.entries(expected))
    check(taken[key] === was, `the page ${taken[key] ? 'took' : 'left'} ${JSON.stringify(key)}`);
  // Tab goes through the window and the page's controls, in the order they stand; Shift+Tab back.
  const order = [];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.press('Tab');
    order.push(await focused(page));
  }
  check(JSON.stringify(order) === JSON.stringify(['Close Tolvane box set', 'Pause', 'Sound', 'Download the journal']),
        `Tab went through ${JSON.stringify(order)}`);
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  check(await focused(page) === 'Sound', `Shift+Tab went to ${await focused(page)}`);
  // Enter on the journal's link downloads it; Space on the Pause button pauses and plays on.
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  const file = path.join(page.downloads, 'tolvane-journal.txt');
  await waitFor(() => fs.existsSync(file) && fs.statSync(file).size > 0, 'the journal downloaded by Enter');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  check(await focused(page) === 'Pause', `the focus is on ${await focused(page)}`);
  await page.keyboard.press('Space');
  await waitFor(() => page.evaluate(() => tolvane.paused), 'the pause by the button');
  check(await page.$eval('#pause', button => button.getAttribute('aria-pressed')) === 'true', 'the Pause button does not show the pause');
  await page.keyboard.press('Space');
  await waitFor(() => page.evaluate(() => !tolvane.paused), 'the end of the pause by the button');
  // Enter on the launcher's close button ends the box set; "Start again" then has the focus, and
  // Space starts it, with the focus on the launcher again.
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  check(await focused(page) === 'Close Tolvane box set', `the focus is on ${await focused(page)}`);
  await page.keyboard.press('Enter');
  await waitFor(() => page.$eval('#ended', notice => !notice.hidden), 'the end by the close button');
  check(await focused(page) === 'Start again', `at the end the focus is on ${await focused(page)}`);
  await page.keyboard.press('Space');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Mainform' && w.shown), 'the launcher again');
  check(await focused(page) === 'Tolvane box set', `after Start again the focus is on ${await focused(page)}`);
});

story('with the keyboard alone, a game is played: the window the program opens takes the focus', async page => {
  await openBoard(page);
  check(await focused(page) === 'Pondleap Game', `the board opened with the focus on ${await focused(page)}`);
  await page.keyboard.press('ArrowUp');
  await sleep(100);
  const journal = await pauseAndDownloadJournal(page);
  check(/^key 38$/m.test(fs.readFileSync(journal, 'utf8')), 'the arrow did not reach the board');
});

// The page's accessibility tree as Chromium gives it to a screen reader: role and name of each node.
async function accessibleNodes(page) {
  const cdp = await page.createCDPSession();
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await cdp.detach();
  return nodes.filter(node => !node.ignored).map(node => ({ role: node.role?.value, name: node.name?.value ?? '' }));
}

story('a screen reader hears the desktop, each window, its picture and its close button, and every change of the box set', async page => {
  await openGame(page, 'imgpondleap', 'Pondleap2');
  await page.keyboard.press('Pause');
  await waitFor(() => page.evaluate(() => tolvane.paused), 'the pause');
  const nodes = await accessibleNodes(page);
  const has = (role, name) => nodes.some(node => node.role === role && node.name === name);
  for (const [role, name] of [['region', 'The box set\'s windows'], ['dialog', 'Pondleap start (paused)'],
                              ['image', 'Picture of Pondleap start'], ['button', 'Close Pondleap start'],
                              ['button', 'Pause'], ['button', 'Sound']])
    check(has(role, name), `no ${role} "${name}" among ${JSON.stringify(nodes.filter(node => node.name))}`);
  const said = () => page.$eval('#said', region => region.textContent);
  check(await said() === 'The box set is paused.', `the live region says "${await said()}"`);
  check(await page.$eval('#said', region => region.getAttribute('aria-live')) === 'polite', 'the live region is not polite');
  const heard = [await said()];
  await page.keyboard.press('Pause');
  heard.push(await said());
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyM');
  heard.push(await said());
  await page.keyboard.press('KeyM');
  await page.keyboard.up('Control');
  heard.push(await said());
  await page.click('.window[data-name="Pondleap2"] .close');
  await waitFor(() => page.$eval('#ended', notice => !notice.hidden), 'the end');
  heard.push(await said());
  const expected = ['The box set is paused.', 'The box set plays on.', 'Sound is off.', 'Sound is on.', 'The box set has ended.'];
  check(JSON.stringify(heard) === JSON.stringify(expected), `the live region said ${JSON.stringify(heard)}`);
});

// The contrast of every text of the page's own chrome, from the styles the browser computed: each
// text's colour against each colour of the background it stands on (all the stops of a gradient).
story('every text of the page\'s own chrome has a contrast of at least 4.5:1', async page => {
  await openGame(page, 'imgpondleap', 'Pondleap2');
  await clickSprite(page, ['click Mainform imgpondleap'], 'Pondleap2', 'Image2');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap3' && w.shown), 'the help window');
  // The notices are hidden while the box set plays: shown for the measure, then hidden again.
  const lowest = await page.evaluate(() => {
    const notices = [...document.querySelectorAll('.notice')];
    notices.forEach(notice => { notice.hidden = false; });
    const channel = value => { value /= 255; return value <= 0.04045 ? value / 12.92 : ((value + 0.055) / 1.055) ** 2.4; };
    const parse = text => (text.match(/rgba?\([^)]*\)/g) || []).map(colour => colour.match(/[\d.]+/g).map(Number));
    const luminance = ([r, g, b]) => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    const over = (top, below) => top.length < 4 ? top : top.slice(0, 3).map((value, i) => value * top[3] + below[i] * (1 - top[3]));
    // The colours behind an element: its own background's, over its ancestors'.
    const backgrounds = element => {
      if (!element) return [[58, 110, 165]];
      const style = getComputedStyle(element);
      const below = backgrounds(element.parentElement);
      const own = [...parse(style.backgroundImage), ...parse(style.backgroundColor)].filter(colour => colour[3] !== 0);
      if (!own.length) return below;
      return own.flatMap(colour => below.map(under => over(colour, under)));
    };
    const results = [];
    for (const element of document.querySelectorAll('#desktop *, #about *')) {
      const text = [...element.childNodes].some(node => node.nodeType === Node.TEXT_NODE && node.textContent.trim());
      if (!text || element.closest('.unseen') || !element.getClientRects().length) continue;
      const colour = parse(getComputedStyle(element).color)[0];
      for (const background of backgrounds(element)) {
        const [light, dark] = [luminance(colour), luminance(background)].sort((a, b) => b - a);
        results.push({ ratio: (light + 0.05) / (dark + 0.05), what: `${element.className || element.id || element.tagName}: "${element.textContent.trim().slice(0, 30)}"` });
      }
    }
    notices.forEach(notice => { notice.hidden = true; });
    results.sort((a, b) => a.ratio - b.ratio);
    return results;
  });
  check(lowest.length > 10, `only ${lowest.length} texts measured`);
  check(lowest[0].ratio >= 4.5, `contrast ${lowest[0].ratio.toFixed(2)}:1 for ${lowest[0].what}`);
  return `lowest ${lowest[0].ratio.toFixed(2)}:1 (${lowest[0].what})`;
});

story('a window dragged away stays within reach: its title bar and 100 pixels of it stay on the page', async page => {
  const bar = await (await page.$('.window[data-name="Mainform"] .caption')).boundingBox();
  const desktop = await page.$eval('#desktop', area => ({ width: area.clientWidth, height: area.clientHeight }));
  const frame = () => page.$eval('.window[data-name="Mainform"]', element => element.getBoundingClientRect().toJSON());
  const drags = [[-2000, 0], [2000, 0], [0, 2000], [0, -2000]];
  const seen = [];
  for (const [dx, dy] of drags) {
    const from = await (await page.$('.window[data-name="Mainform"] .caption')).boundingBox();
    await page.mouse.move(from.x + 20, from.y + 5);
    await page.mouse.down();
    await page.mouse.move(from.x + 20 + dx, from.y + 5 + dy, { steps: 4 });
    await page.mouse.up();
    const box = await frame();
    seen.push(box);
    check(box.right >= 100 && box.left <= desktop.width - 100 && box.top >= 0 && box.top + bar.height <= desktop.height,
          `dragged by ${dx}, ${dy} to ${JSON.stringify(box)} on a desktop of ${desktop.width} by ${desktop.height}`);
  }
});

// A page whose module fails to come: the page says why, in an alert, and nothing throws.
async function openFailingPage(browser, why) {
  const page = await (await browser.createBrowserContext()).newPage();
  page.problems = [];
  page.on('pageerror', error => page.problems.push(`page error: ${error.message}`));
  await page.setRequestInterception(true);
  page.on('request', request => {
    if (why === 'missing' && request.url().endsWith('.wasm')) request.respond({ status: 404, body: 'not here' });
    else if (why === 'offline' && request.url().endsWith('.wasm')) request.abort('internetdisconnected');
    else if (why === 'not a module' && request.url().endsWith('.wasm'))
      request.respond({ status: 200, contentType: 'application/wasm', body: 'not a module' });
    else request.continue();
  });
  if (why === 'old browser') await page.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await page.goto(url);
  return page;
}

for (const [why, says] of [['missing', 'the server answered 404'], ['offline', 'the network failed'],
                           ['old browser', 'cannot run WebAssembly'], ['not a module', 'it could not be compiled']]) {
  story(`a load that fails (${why}) says why`, async () => {
    const page = await openFailingPage(stories.browser, why);
    try {
      // The page's controls do nothing before the box set is ready, and throw nothing.
      await page.click('#journal');
      await page.$eval('#pause', button => button.click());
      await waitFor(() => page.$eval('#unloaded', notice => !notice.hidden), 'the notice of the failed load');
      const said = await page.$eval('#unloaded', notice => notice.textContent.replace(/\s+/g, ' ').trim());
      check(said.includes(says), `the notice says "${said}"`);
      check(await page.$eval('#unloaded', notice => notice.getAttribute('role')) === 'alert', 'the notice is no alert');
      check(await page.$eval('#loading', notice => notice.hidden), 'the loading notice stayed');
      check(page.problems.length === 0, page.problems.join('; '));
      return `"${said}"`;
    } finally {
      await page.browserContext().close();
    }
  });
}

// A host whose security policy forbids the page's worker: the page compiles the module itself.
story('where no worker may start, the page compiles the module itself', async () => {
  const page = await (await stories.browser.createBrowserContext()).newPage();
  try {
    await page.evaluateOnNewDocument(() => {
      window.Worker = function() { throw new DOMException('no workers here', 'SecurityError'); };
    });
    await page.goto(url);
    await page.evaluate(() => tolvane.ready);
    await clickSprite(page, [], 'Mainform', 'imgpondleap');
    await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap2' && w.shown), 'the start window');
  } finally {
    await page.browserContext().close();
  }
});

story('while the module loads, the page shows how much has come', async page => {
  // A slow network, as a phone's: the progress is seen moving, then the launcher.
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 20, downloadThroughput: 2e6 / 8 * 8, uploadThroughput: 1e6 });
  await page.evaluateOnNewDocument(() => {
    window.progressSeen = [];
    new MutationObserver(() => {
      const received = document.getElementById('received');
      if (received && received.textContent) window.progressSeen.push(received.textContent);
    }).observe(document, { subtree: true, childList: true, characterData: true });
  });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const seen = await page.evaluate(() => window.progressSeen);
  check(seen.length >= 3, `the progress was shown ${seen.length} times: ${JSON.stringify(seen)}`);
  check(/ of 2\.\d MB$/.test(seen[0]) && seen[seen.length - 1].startsWith(seen[seen.length - 1].split(' of ')[1]),
        `the progress said ${JSON.stringify(seen.slice(0, 2))} ... ${seen[seen.length - 1]}`);
  check(await page.$eval('#loading', notice => notice.hidden), 'the loading notice stayed');
  return `${seen.length} steps, the last "${seen[seen.length - 1]}"`;
});

story('a finger plays: Skyhaul climbs while it is held, and a title bar drags by it', async page => {
  await openGame(page, 'ImgCopter', 'Helicoptergame');
  const box = await canvasBox(page, 'Helicoptergame');
  await page.touchscreen.tap(box.x + 300, box.y + 200);
  await sleep(150);
  await page.touchscreen.touchStart(box.x + 300, box.y + 200);
  await sleep(400);
  await page.touchscreen.touchEnd();
  await sleep(100);
  const journal = await pauseAndDownloadJournal(page);
  const lines = fs.readFileSync(journal, 'utf8').split('\n');
  // The finger held: a press and, 400 ms later, a release of the left button. The helicopter is
  // higher at the release than at the press.
  const presses = lines.flatMap((line, i) => line.startsWith('press Helicoptergame ') ? [i] : []);
  const releases = lines.flatMap((line, i) => line.startsWith('release Helicoptergame ') ? [i] : []);
  check(presses.length === 2 && releases.length === 2 && / 1$/.test(lines[presses[1]]),
        `the finger's presses and releases: ${lines.filter(line => /^(press|release) /.test(line)).join('; ')}`);
  const topAfter = count => stateAfter([lines.slice(0, count).join('\n')]).windows.Helicoptergame.sprites.Imghelicopter.Top;
  const pressed = topAfter(presses[1] + 1), released = topAfter(releases[1]);
  check(released < pressed, `the helicopter went from ${pressed} to ${released} while the finger was held`);
  await expectDesktopPixels(page, 'Helicoptergame', journal);
  // The title bar, dragged by a finger.
  const bar = await (await page.$('.window[data-name="Helicoptergame"] .caption')).boundingBox();
  const before = await canvasBox(page, 'Helicoptergame');
  await page.touchscreen.touchStart(bar.x + 20, bar.y + 5);
  await page.touchscreen.touchMove(bar.x + 20 - 60, bar.y + 5 + 30);
  await page.touchscreen.touchEnd();
  const after = await canvasBox(page, 'Helicoptergame');
  check(after.x === before.x - 60 && after.y === before.y + 30, `dragged by a finger from ${JSON.stringify(before)} to ${JSON.stringify(after)}`);
  return `the helicopter climbed from ${pressed} to ${released} twips`;
});

// Taps the middle of a sprite, on a desktop drawn at `fit`.
async function tapSprite(page, lines, window, sprite, fit) {
  const found = stateAfter(lines).windows[window].sprites[sprite];
  const box = await canvasBox(page, window);
  await page.touchscreen.tap(box.x + (found.Left + found.Width / 2) / 15 * fit, box.y + (found.Top + found.Height / 2) / 15 * fit);
}

story('on a phone the whole desktop fits the screen\'s width, and a finger plays the road game with the on-screen keys', async page => {
  check(await page.$eval('#pad', pad => pad.hidden), 'the on-screen keys show for a mouse');
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const frame = await page.$eval('.window[data-name="Mainform"]', element => element.getBoundingClientRect().toJSON());
  check(frame.left >= 0 && frame.right <= 390, `the launcher spills off the screen: ${JSON.stringify(frame)}`);
  const close = await page.$eval('.window[data-name="Mainform"] .close', element => element.getBoundingClientRect().toJSON());
  check(close.width >= 44 && close.height >= 44, `the close button is ${close.width} by ${close.height} for a finger`);
  const scale = await page.$eval('.window[data-name="Mainform"] canvas', canvas => canvas.width / 758);
  const fit = scale / 3;
  check(fit < 0.5 && fit > 0.45, `the desktop is drawn at ${fit}`);
  // Painted at the screen's density times that scale, as the desktop paints at that scale.
  const density = await page.evaluate(() => devicePixelRatio * Math.min(1, document.getElementById('desktop').clientWidth / 792));
  await expectDesktopPixels(page, 'Mainform', [], density);
  const lines = [];
  const arrow = stateAfter([]).windows.Mainform.sprites.imgpondleap.Visible ? null : arrowTo('imgpondleap');
  if (arrow) { await tapSprite(page, [], 'Mainform', arrow, fit); lines.push(`click Mainform ${arrow}`); }
  await tapSprite(page, lines, 'Mainform', 'imgpondleap', fit);
  lines.push('click Mainform imgpondleap');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap2' && w.shown), 'the start window');
  check(await page.$eval('#pad', pad => pad.hidden), 'the on-screen keys show for a window that takes no keys');
  await tapSprite(page, lines, 'Pondleap2', 'Image1', fit);
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap1' && w.shown && w.active), 'the board');
  // The board's keys, each at least 44 pixels square, clear of the board.
  const keys = await page.$$eval('#pad button:not([hidden])', buttons => buttons.map(button => ({
    label: button.getAttribute('aria-label') || button.textContent, box: button.getBoundingClientRect().toJSON() })));
  const labels = keys.map(key => key.label);
  check(JSON.stringify(labels) === JSON.stringify(['Up', 'Left', 'Down', 'Right', 'Pause', 'Sound']), `the on-screen keys: ${labels}`);
  for (const key of keys)
    check(key.box.width >= 44 && key.box.height >= 44, `"${key.label}" is ${key.box.width} by ${key.box.height}`);
  const pad = await page.$eval('#pad', element => element.getBoundingClientRect().toJSON());
  const board = await page.$eval('.window[data-name="Pondleap1"]', element => element.getBoundingClientRect().toJSON());
  check(pad.top >= board.bottom || pad.bottom <= board.top, `the keys cover the board: ${JSON.stringify(pad)} over ${JSON.stringify(board)}`);
  const up = keys.find(key => key.label === 'Up').box;
  await sleep(200);
  for (let i = 0; i < 2; ++i) {
    await page.touchscreen.tap(up.x + up.width / 2, up.y + up.height / 2);
    await sleep(100);
  }
  const journal = await pauseAndDownloadJournal(page);
  const text = fs.readFileSync(journal, 'utf8');
  check((text.match(/^key 38$/mg) || []).length === 2, `the journal's keys: ${text.split('\n').filter(line => line.startsWith('key'))}`);
  await expectDesktopPixels(page, 'Pondleap1', journal, density);
  return `drawn at ${fit.toFixed(3)} of the design, painted at ${density.toFixed(3)}`;
});

story('on a phone the alien field offers Left, Right and Space, and Space fires', async page => {
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const fit = await page.$eval('.window[data-name="Mainform"] canvas', canvas => canvas.width / 758 / 2);
  const lines = [];
  const arrow = arrowTo('imgstarbreach');
  await tapSprite(page, [], 'Mainform', arrow, fit);
  lines.push(`click Mainform ${arrow}`);
  await tapSprite(page, lines, 'Mainform', 'imgstarbreach', fit);
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Starbreach1' && w.shown && w.active), 'the alien field');
  const labels = await page.$$eval('#pad button:not([hidden])', buttons => buttons.map(button => button.getAttribute('aria-label') || button.textContent));
  check(JSON.stringify(labels) === JSON.stringify(['Left', 'Right', 'Space', 'Pause', 'Sound']), `the on-screen keys: ${labels}`);
  await page.tap('#pad [aria-label="Space"]');
  await sleep(100);
  const journal = await pauseAndDownloadJournal(page);
  check(/^key 32$/m.test(fs.readFileSync(journal, 'utf8')), 'Space did not reach the field');
  check(stateAfter([fs.readFileSync(journal, 'utf8')]).windows.Starbreach1.sprites.ImgMissle.Visible, 'no missile flies');
});

// What the server sends for a file of the page, asked with the given encodings: the headers, and
// the size of the body as sent.
function served(file, encodings) {
  return new Promise((resolve, reject) => {
    http.get(new URL(file, url), { headers: { 'Accept-Encoding': encodings } }, response => {
      let size = 0;
      response.on('data', piece => { size += piece.length; });
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, size }));
    }).on('error', reject);
  });
}

story('the files are served compressed, the versioned ones kept for a year, the others asked for afresh', async page => {
  // The module is fetched by the page's worker, so its name is the one the page gives it.
  const names = await page.evaluate(() => [...document.scripts].map(script => script.src).filter(Boolean)
    .concat(performance.getEntriesByType('resource').map(entry => entry.name), [new URL(wasmFile, location.href).href])
    .map(address => new URL(address).pathname.slice(1)).filter(name => /^tolvane-[0-9a-f]{12}\.(js|wasm)$/.test(name)));
  const program = [...new Set(names)].sort();
  check(program.length === 2, `the page loaded ${JSON.stringify(program)}`);
  const figures = [];
  for (const [file, immutable] of [['', false], ['sw.js', false], ['manifest.webmanifest', false],
                                   [program[0], true], [program[1], true]]) {
    const brotli = await served(file, 'gzip, deflate, br');
    const gzip = await served(file, 'gzip');
    const plain = await served(file, '');
    check(brotli.headers['content-encoding'] === 'br' && gzip.headers['content-encoding'] === 'gzip'
          && !plain.headers['content-encoding'], `${file || 'the page'}: encodings ${brotli.headers['content-encoding']}, ${gzip.headers['content-encoding']}, ${plain.headers['content-encoding']}`);
    check(brotli.size < gzip.size && gzip.size < plain.size, `${file || 'the page'}: ${brotli.size}, ${gzip.size}, ${plain.size} bytes`);
    check(brotli.headers.vary === 'Accept-Encoding', `${file || 'the page'} does not vary by encoding`);
    const caching = brotli.headers['cache-control'];
    check(immutable ? /immutable/.test(caching) && /max-age=31536000/.test(caching) : caching === 'no-cache',
          `${file || 'the page'}: Cache-Control ${caching}`);
    if (file.endsWith('.wasm')) {
      check(brotli.headers['content-type'] === 'application/wasm', `the module is sent as ${brotli.headers['content-type']}`);
      figures.push(`the module ${plain.size} bytes, ${gzip.size} with gzip, ${brotli.size} with brotli`);
    }
  }
  check((await served('../../etc/passwd', '')).status === 404, 'a path out of the page was served');
  return figures.join('');
});

story('installable, and after the first visit the page loads and plays offline', async page => {
  const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
  check(manifest.name === 'Tolvane box set' && manifest.display === 'standalone' && manifest.theme_color
        && manifest.icons.some(icon => icon.sizes === '512x512') && manifest.icons.some(icon => icon.sizes === '192x192'),
        `the manifest: ${JSON.stringify(manifest)}`);
  await page.evaluate(async () => { await navigator.serviceWorker.ready; });
  await waitFor(() => page.evaluate(() => !!navigator.serviceWorker.controller), 'the service worker in control');
  await page.setOfflineMode(true);
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  await clickSprite(page, [], 'Mainform', 'imgpondleap');
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap2' && w.shown), 'the start window, offline');
  await expectDesktopPixels(page, 'Pondleap2', ['click Mainform imgpondleap']);
  await page.setOfflineMode(false);
});

// The baseline of the cost of play: a naive page of the board's size that redraws the board's
// picture and every sprite with drawImage (and every label with fillRect and fillText) on every
// tick, 64 times a second, its vehicles moving at their lanes' speeds.
function naiveBoard(board, density) {
  const assets = path.join(path.dirname(new URL(import.meta.url).pathname), '..', '..', 'assets', 'Pondleap1');
  const picture = name => `data:image/png;base64,${fs.readFileSync(path.join(assets, `${name}.png`)).toString('base64')}`;
  const sprites = Object.entries(board.sprites).filter(([, sprite]) => sprite.Visible && sprite.kind !== 'Timer')
    .map(([name, sprite]) => ({ ...sprite, picture: sprite.kind === 'Image' ? name.replace(/\(\d+\)$/, '') : null,
                                speed: board.vars[`${name.replace(/^(img|car)|\(\d+\)$/g, '').replace(/^./, c => c.toUpperCase())}Speed`] || 0 }));
  const pictures = Object.fromEntries([...new Set(['Picture', ...sprites.filter(s => s.picture).map(s => s.picture)])]
    .map(name => [name, picture(name)]));
  return `<!DOCTYPE html><html><body style="margin:0"><canvas id="c"></canvas><script>
    const density = ${density}, width = ${board.Width / 15 - 8}, height = 472;
    const canvas = document.getElementById('c');
    canvas.width = width * density; canvas.height = height * density;
    canvas.style.width = width + 'px'; canvas.style.height = height + 'px';
    const context = canvas.getContext('2d');
    const images = {};
    for (const [name, address] of Object.entries(${JSON.stringify(pictures)})) { images[name] = new Image(); images[name].src = address; }
    const sprites = ${JSON.stringify(sprites)};
    window.ticks = 0;
    function tick() {
      ++window.ticks;
      context.setTransform(density, 0, 0, density, 0, 0);
      context.drawImage(images.Picture, 0, 0);
      for (const sprite of sprites) {
        sprite.Left = sprite.Left > 11000 ? -1000 : sprite.Left + sprite.speed;
        if (sprite.picture) context.drawImage(images[sprite.picture], sprite.Left / 15, sprite.Top / 15, sprite.Width / 15, sprite.Height / 15);
        else { context.fillStyle = '#f0f0f0'; context.fillRect(sprite.Left / 15, sprite.Top / 15, sprite.Width / 15, sprite.Height / 15);
               context.fillStyle = '#000'; context.font = '24px sans-serif'; context.fillText(sprite.Caption || '', sprite.Left / 15, sprite.Top / 15 + 24); }
      }
      setTimeout(tick, 1000 / 64);
    }
    Promise.all(Object.values(images).map(image => image.decode())).then(tick);
  </script></body></html>`;
}

// The page's work in milliseconds a second while it runs for `seconds`, from the DevTools
// protocol's task duration, and the ticks it ran.
async function costOf(page, seconds, ticks) {
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  const taskTime = async () => (await cdp.send('Performance.getMetrics')).metrics.find(metric => metric.name === 'TaskDuration').value;
  const startTask = await taskTime(), startTicks = await page.evaluate(ticks);
  await sleep(seconds * 1000);
  const work = (await taskTime() - startTask) * 1000 / seconds;
  const rate = (await page.evaluate(ticks) - startTicks) / seconds;
  await cdp.detach();
  return { work, rate };
}

story('the cost of play: the board in play against a naive page that redraws every sprite on every tick', async page => {
  const figures = [];
  const board = stateAfter(['click Mainform imgpondleap', 'click Pondleap2 Image1', 'run 64']).windows.Pondleap1;
  for (const density of [1, 2]) {
    await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: density });
    await page.reload();
    await page.evaluate(() => tolvane.ready);
    await openBoard(page);
    await sleep(500);
    const ours = await costOf(page, 4, () => tolvane.ticksOf('Pondleap1'));
    const naive = await page.browserContext().newPage();
    await naive.setViewport({ width: 1280, height: 900, deviceScaleFactor: density });
    await naive.setContent(naiveBoard(board, density));
    await waitFor(() => naive.evaluate(() => window.ticks > 10), 'the naive page ticking');
    await page.bringToFront().catch(() => {});
    await naive.bringToFront();
    const baseline = await costOf(naive, 4, () => window.ticks);
    await naive.close();
    figures.push({ density, ours, baseline });
  }
  return figures.map(({ density, ours, baseline }) => `density ${density}: ${ours.work.toFixed(0)} ms a second at ${ours.rate.toFixed(1)} ticks, `
    + `the naive page ${baseline.work.toFixed(0)} ms at ${baseline.rate.toFixed(1)} ticks, ${(ours.work / baseline.work).toFixed(2)} of it`).join('; ');
});

// axe-core's checks of the page as it stands, every rule it runs by default.
async function axeViolations(page) {
  if (!await page.evaluate(() => typeof axe === 'object'))
    await page.addScriptTag({ path: path.join(path.dirname(new URL(import.meta.url).pathname), 'node_modules', 'axe-core', 'axe.min.js') });
  const results = await page.evaluate(async () => (await axe.run(document)).violations
    .map(violation => `${violation.id} (${violation.impact}): ${violation.nodes.map(node => node.target.join(' ')).join(', ')}`));
  return results;
}

story('axe-core finds no violation: the launcher, a game paused, the end, and a phone with its keys', async page => {
  const seen = [];
  const look = async what => {
    const violations = await axeViolations(page);
    check(violations.length === 0, `${what}: ${violations.join('; ')}`);
    seen.push(what);
  };
  await look('the launcher');
  await openBoard(page);
  await page.keyboard.press('Pause');
  await look('the board, paused');
  await page.keyboard.press('Pause');
  await page.click('.window[data-name="Pondleap1"] .close');
  await waitFor(() => page.$eval('#ended', notice => !notice.hidden), 'the end');
  await look('the end');
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.reload();
  await page.evaluate(() => tolvane.ready);
  const fit = await page.$eval('.window[data-name="Mainform"] canvas', canvas => canvas.width / 758 / 2);
  await tapSprite(page, [], 'Mainform', 'imgpondleap', fit);
  await waitFor(async () => (await windowsOn(page)).some(w => w.name === 'Pondleap2' && w.shown), 'the start window');
  await tapSprite(page, ['click Mainform imgpondleap'], 'Pondleap2', 'Image1', fit);
  await waitFor(() => page.$eval('#pad', pad => !pad.hidden), 'the on-screen keys');
  await look('a phone with the on-screen keys');
  return seen.join(', ');
});

// Lighthouse 12's default run, a phone on a slow network, against the page as tools/serve-page
// serves it.
story('Lighthouse: accessibility, best practices and SEO all 1; the performance figures', async page => {
  const { default: lighthouse } = await import('lighthouse');
  const port = Number(new URL(page.browser().wsEndpoint()).port);
  const { lhr } = await lighthouse(url, { port, output: 'json', logLevel: 'error',
    onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'] });
  const scores = Object.fromEntries(Object.entries(lhr.categories).map(([id, category]) => [id, category.score]));
  for (const id of ['accessibility', 'best-practices', 'seo']) {
    const failing = Object.values(lhr.audits).filter(audit => audit.score !== null && audit.score < 1
      && lhr.categories[id].auditRefs.some(ref => ref.id === audit.id && ref.weight > 0)).map(audit => audit.id);
    check(scores[id] === 1, `${id} ${scores[id]}: ${failing.join(', ')}`);
  }
  const figure = id => lhr.audits[id].displayValue;
  return `performance ${scores.performance} (first paint ${figure('first-contentful-paint')}, largest ${figure('largest-contentful-paint')}, `
    + `total blocking ${figure('total-blocking-time')}, speed index ${figure('speed-index')}), accessibility, best practices and SEO 1`;
});

// ---- Running them ----

const browser = stories.browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--headless=new', '--disable-gpu'],
});
// TOLVANE_STORIES=REGEX plays only the stories whose names match, for a developer at work.
const chosen = stories.filter(({ name }) => !process.env.TOLVANE_STORIES || new RegExp(process.env.TOLVANE_STORIES).test(name));
let failed = 0;
for (const { name, play } of chosen) {
  let page;
  try {
    page = await openPage(browser);
    const figures = await play(page);
    check(page.problems.length === 0, page.problems.join('; '));
    console.log(`ok    ${name}${figures ? ` (${figures})` : ''}`);
  } catch (error) {
    ++failed;
    console.log(`FAIL  ${name}: ${error instanceof Failure ? error.message : error.stack}`);
    if (page) {
      const shot = path.join(work, `failed-${stories.findIndex(s => s.name === name)}.png`);
      await page.screenshot({ path: shot }).catch(() => {});
      console.log(`      screenshot: ${shot}`);
    }
  } finally {
    await page?.browserContext().close().catch(() => {});
  }
}
await browser.close();
if (!failed) fs.rmSync(work, { recursive: true, force: true });
console.log(failed ? `${failed} of ${chosen.length} browser stories failed` : `all ${chosen.length} browser stories passed`);
process.exit(failed ? 1 : 0);
