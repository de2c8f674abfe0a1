// The box set's web page played in Debian's Chromium as a player plays it: real key presses and
// mouse clicks on the page. What the page shows is held against the desktop's own painter: the
// launcher against `tolvane-snapshot` for the same input, and each game against
// `tolvane-snapshot` playing the journal the page offers for download.
//
//   node stories.mjs URL SNAPSHOT
import puppeteer from 'puppeteer-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
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
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  page.problems = [];
  page.on('console', message => {
    if (message.type() === 'error' || message.type() === 'warn' || message.type() === 'warning')
      page.problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', error => page.problems.push(`page error: ${error.message}`));
  page.downloads = fs.mkdtempSync(path.join(work, 'downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: page.downloads });
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

story('a tab hidden and frozen by the browser comes back with one late tick', async page => {
  await openBoard(page);
  await sleep(200);
  // Another tab comes to the front, and the browser freezes this one, as it does to a tab in the
  // background: no timer of the page runs until it is shown again.
  const cdp = await page.createCDPSession();
  const other = await page.browser().newPage();
  await other.bringToFront();
  await waitFor(() => page.evaluate(() => document.visibilityState === 'hidden'), 'the tab hidden');
  // The board's ticks as the tab froze, and at the first look after the timer that fell due
  // while frozen has run: the page looks again and again, between any two tasks, until it has.
  await page.evaluate(() => {
    document.addEventListener('freeze', () => { window.ticksAtFreeze = tolvane.ticksOf('Pondleap1'); });
    document.addEventListener('resume', () => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => {
        const ticks = tolvane.ticksOf('Pondleap1');
        if (ticks > window.ticksAtFreeze) window.ticksAfterResume = ticks;
        else channel.port2.postMessage(0);
      };
      channel.port2.postMessage(0);
    });
  });
  await cdp.send('Page.setWebLifecycleState', { state: 'frozen' });
  await sleep(1500);
  await cdp.send('Page.setWebLifecycleState', { state: 'active' });
  await page.bringToFront();
  await other.close();
  await waitFor(() => page.evaluate(() => window.ticksAfterResume !== undefined), 'the tab back');
  // One late tick for the 96 periods the freeze took. On a busy machine the next tick on the
  // board's grid may fall due while the late one runs, and come in the same task: one more, never
  // a burst.
  const late = await page.evaluate(() => window.ticksAfterResume - window.ticksAtFreeze);
  check(late === 1 || late === 2, `${late} ticks came as the tab was shown again`);
  await page.click('#journal');
  const file = path.join(page.downloads, 'tolvane-journal.txt');
  await waitFor(() => fs.existsSync(file) && fs.statSync(file).size > 0, 'the journal download');
  await sleep(100);
  // The freeze is one stall of the journal's, from the clock of the time line before it; a busy
  // moment of the machine may add short ones.
  const lines = fs.readFileSync(file, 'utf8').split('\n');
  const stalls = [];
  lines.forEach((line, i) => {
    if (line.startsWith('stall ') && lines[i - 1].startsWith('at '))
      stalls.push((Number(line.split(' ')[1]) - Number(lines[i - 1].split(' ')[1])) / 1e6);
  });
  check(stalls.filter(seconds => seconds >= 1.4).length === 1, `the journal's stalls: ${stalls.join(', ')} s`);
  return `the journal has a stall of ${Math.max(...stalls).toFixed(3)} s`;
});

// ---- Running them ----

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--headless=new', '--disable-gpu'],
});
let failed = 0;
for (const { name, play } of stories) {
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
    await page?.close().catch(() => {});
  }
}
await browser.close();
if (!failed) fs.rmSync(work, { recursive: true, force: true });
console.log(failed ? `${failed} of ${stories.length} browser stories failed` : `all ${stories.length} browser stories passed`);
process.exit(failed ? 1 : 0);
