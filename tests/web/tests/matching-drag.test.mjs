// The drag-and-drop page of a matching exercise: dragging by mouse and by
// touch, picking and placing by keyboard, the check in a dialog, the
// reading beside it, and a phone's width.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { basename, join } from 'node:path';
import {
  exportMatching, frameNamed, matchTexts, repoRoot, screenshot, serveFolder, startBrowser, watchConsole,
} from './helpers.mjs';

const capitals = {
  France: 'Paris',
  Germany: 'Berlin',
  Poland: 'Warszawa',
  Iceland: 'Reykjav\u00edk',
  Greece: '\u0391\u03b8\u03ae\u03bd\u03b1',
};

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function open(options = {}, viewport = null) {
  const exported = exportMatching({ mode: 'dragdrop', ...options });
  const page = await browser.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const problems = watchConsole(page);
  await page.goto(exported.url);
  await page.waitForTimeout(800); // fixed items slide into place
  return { page, problems, exported };
}
const card = (frame, text) => frame.locator('.card').filter({ hasText: new RegExp(`^\\s*${text}`) });
const slot = (frame, left) => frame.locator('.row').filter({ has: frame.locator('.left', { hasText: left }) }).locator('.slot');
// Where each card lies: the left item of its place, or "tray".
const where = (frame) => frame.evaluate(() => Object.fromEntries([...document.querySelectorAll('.card')].map((c) => {
  const row = c.closest('.row');
  return [c.firstChild.textContent.trim(), row ? row.querySelector('.left').textContent.trim() : 'tray'];
})));
const center = async (locator) => {
  const b = await locator.boundingBox();
  return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
};

// Drags the card to the place of the left item with the mouse of page
// (frame: the frame that holds them, when not the page itself).
async function mouseDrag(page, text, left, frame = page) {
  const from = await center(card(frame, text));
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  const to = await center(slot(frame, left));
  await page.mouse.move(to.x, to.y, { steps: 8 });
  await page.mouse.up();
}
async function announced(page, pattern) {
  let text = '';
  for (let i = 0; i < 40; i++) {
    text = (await page.locator('#Announce').textContent()).trim();
    if (pattern.test(text)) return text;
    await page.waitForTimeout(25);
  }
  return text;
}
// The result dialog: its text once open, with the focus on OK.
async function result(page) {
  await page.locator('#Popup[open]').waitFor();
  assert.equal(await page.evaluate(() => document.activeElement.id), 'PopupOK');
  return (await page.locator('#PopupText').innerText()).replace(/\s+/g, ' ').trim();
}

describe('drag-and-drop page', () => {
  test('by mouse: the fixed item is in place, every match dragged, all right in the dialog', async () => {
    const { page, problems, exported } = await open();
    assert.deepEqual(exported.written.map((p) => basename(p)), ['match.htm']);
    assert.equal((await where(page)).Vienna, 'Austria', 'the fixed item slid into its place');
    for (const [left, right] of Object.entries(capitals)) await mouseDrag(page, right, left);
    assert.deepEqual(await where(page), { ...Object.fromEntries(Object.entries(capitals).map(([l, r]) => [r, l])), Vienna: 'Austria', Lyon: 'tray' });
    await page.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
    assert.equal(await result(page), `${matchTexts.editGuessCorrect} Your score is: 100%`);
    await screenshot(page, 'match-drag-dialog-1280.png');
    await page.keyboard.press('Enter');
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'CheckButton', 'focus back on Check');
    assert.equal((await page.locator('#Score').innerText()).trim(), 'Your score is: 100%');
    assert.equal(await card(page, 'Paris').getAttribute('class'), 'card right');
    await screenshot(page, 'match-drag-right-1280.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('by mouse: a wrong match goes back at Check and its place no longer counts', async () => {
    const { page, problems } = await open();
    await mouseDrag(page, 'Paris', 'Germany');
    await mouseDrag(page, 'Berlin', 'Germany'); // Paris goes back to the tray
    await mouseDrag(page, 'Lyon', 'France');
    await mouseDrag(page, 'Warszawa', 'Poland');
    await mouseDrag(page, 'Warszawa', 'Iceland'); // moved on to another place
    await mouseDrag(page, 'Warszawa', 'Poland');
    const before = await where(page);
    assert.deepEqual([before.Paris, before.Berlin, before.Lyon, before.Warszawa], ['tray', 'Germany', 'France', 'Poland']);
    assert.match(await announced(page, /Warszawa/), /^Warszawa placed with Poland\.$/);
    await page.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
    assert.equal(await result(page), `${matchTexts.editGuessIncorrect} Your score is: 40%`);
    await page.keyboard.press('Escape');
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    assert.equal((await where(page)).Lyon, 'tray', 'the wrong item went back');
    assert.ok((await card(page, 'Lyon').getAttribute('class')).split(' ').includes('wrong'), 'marked wrong');
    await screenshot(page, 'match-drag-wrong-1280.png');
    for (const left of ['France', 'Iceland', 'Greece']) await mouseDrag(page, capitals[left], left);
    await page.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
    assert.equal(await result(page), `${matchTexts.editGuessCorrect} Your score is: 80%`);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('by touch: dragging with a finger, tap to pick and tap to place, scrolling near the edge', async () => {
    const { page, problems } = await open({}, { width: 360, height: 560 });
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 1 });
    const touch = (type, p) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: p ? [{ x: p.x, y: p.y }] : [] });

    // A finger drags Paris to France.
    let from = await center(card(page, 'Paris'));
    let to = await center(slot(page, 'France'));
    await touch('touchStart', from);
    for (let i = 1; i <= 8; i++) await touch('touchMove', { x: from.x + (to.x - from.x) * i / 8, y: from.y + (to.y - from.y) * i / 8 });
    await touch('touchEnd');
    assert.equal((await where(page)).Paris, 'France');

    // A tap picks Berlin, a tap on Germany's place puts it there.
    const tap = async (p) => {
      await touch('touchStart', p);
      await touch('touchEnd');
    };
    await tap(await center(card(page, 'Berlin')));
    await page.waitForFunction(() => document.querySelector('.card[aria-pressed="true"]'));
    assert.equal(await card(page, 'Berlin').getAttribute('aria-pressed'), 'true');
    await tap(await center(slot(page, 'Germany')));
    assert.equal((await where(page)).Berlin, 'Germany');

    // Held near the bottom edge, a dragged item scrolls the page down to
    // the last place.
    const startScroll = await page.evaluate(() => scrollY);
    from = await center(card(page, 'Warszawa'));
    await touch('touchStart', from);
    const edge = { x: 180, y: 550 };
    await touch('touchMove', { x: from.x, y: from.y + 20 });
    await touch('touchMove', edge);
    for (let i = 0; i < 60 && (await slot(page, 'Poland').boundingBox()).y > 440; i++) {
      await page.waitForTimeout(50);
      await touch('touchMove', edge);
    }
    assert.ok(await page.evaluate(() => scrollY) > startScroll, 'the page scrolled');
    // The page goes on scrolling while the finger stays near the edge: the
    // finger leaves the edge first, and the place is found once the page
    // stands still.
    await touch('touchMove', { x: edge.x, y: 300 });
    let still = await page.evaluate(() => scrollY);
    for (let i = 0; i < 20; i++) {
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
      const now = await page.evaluate(() => scrollY);
      if (now === still) break;
      still = now;
    }
    to = await center(slot(page, 'Poland'));
    await touch('touchMove', to);
    await touch('touchEnd');
    assert.equal((await where(page)).Warszawa, 'Poland');
    await screenshot(page, 'match-drag-touch-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('by keyboard alone: pick with Enter or Space, Escape cancels, place, check and close the dialog', async () => {
    const { page, problems } = await open();
    const focused = () => page.evaluate(() => {
      const e = document.activeElement;
      return { cls: e.className, text: e.textContent.trim(), label: e.getAttribute('aria-label') || '' };
    });
    async function tabTo(test, what) {
      for (let i = 0; i < 30; i++) {
        await page.keyboard.press('Tab');
        if (test(await focused())) return;
      }
      assert.fail(`Tab never reached ${what}`);
    }
    await tabTo((f) => f.cls === 'card', 'a card');
    let first = (await focused()).text;
    await page.keyboard.press('Enter');
    assert.match(await announced(page, /picked/), new RegExp(`^${first} picked\\.`));
    await page.keyboard.press('Escape');
    assert.equal(await announced(page, /stays/), `${first} stays where it was.`);
    assert.equal((await focused()).text, first, 'the focus stays on the item');
    let key = 'Space';
    for (let n = 0; n < 6; n++) {
      const text = (await focused()).text;
      assert.equal((await focused()).cls, 'card', `focus on an item to place, not ${JSON.stringify(await focused())}`);
      const left = Object.keys(capitals).find((l) => capitals[l] === text);
      if (!left) { // the distractor: skip it
        await page.keyboard.press('Tab');
        continue;
      }
      await page.keyboard.press(key);
      key = key === 'Space' ? 'Enter' : 'Space';
      await tabTo((f) => f.label === `Place for: ${left}`, `the place for ${left}`);
      await page.keyboard.press('Enter');
      assert.equal(await announced(page, /placed/), `${text} placed with ${left}.`);
    }
    assert.equal((await where(page)).Lyon, 'tray');
    assert.deepEqual(Object.values(await where(page)).filter((v) => v === 'tray'), ['tray']);
    await tabTo((f) => f.text === matchTexts.editCheck, 'the check button');
    await page.keyboard.press('Enter');
    assert.equal(await result(page), `${matchTexts.editGuessCorrect} Your score is: 100%`);
    await page.keyboard.press('Escape');
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    assert.equal((await focused()).text, matchTexts.editCheck);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('phone width: nothing sideways, every target at least 24 pixels, screenshots', async () => {
    const { page, problems } = await open({}, { width: 1280, height: 800 });
    await screenshot(page, 'match-drag-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    await card(page, 'Paris').click();
    await screenshot(page, 'match-drag-picked-360.png');
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth > innerWidth + 1), false);
    const small = await page.evaluate(() => [...document.querySelectorAll('button')]
      .map((b) => b.getBoundingClientRect()).filter((r) => r.width > 0 && (r.height < 24 || r.width < 24)).length);
    assert.equal(small, 0);
    await slot(page, 'France').click();
    assert.equal((await where(page)).Paris, 'France');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('with a reading: shown at once without a timer; with one, only after Start reading', async () => {
    const plain = await open({ reading: 'typed', timer: 0 });
    assert.deepEqual(plain.exported.written.map((p) => basename(p)).sort(), ['match.htm', 'matchc.htm', 'matchr.htm']);
    const reading = await frameNamed(plain.page, 'ReadingFrame');
    for (let i = 0; i < 50 && !/matchr\.htm$/.test(reading.url()); i++) await plain.page.waitForTimeout(50);
    await reading.waitForLoadState('load');
    assert.match(await reading.locator('h1').innerText(), /Capitals of Europe/);
    const code = await frameNamed(plain.page, 'CodeFrame');
    assert.equal(await code.locator('#ReadingBar').count(), 0);
    await mouseDrag(plain.page, 'Paris', 'France', code);
    assert.equal((await where(code)).Paris, 'France');
    // The same pages from a web server.
    const { server, address } = await serveFolder(plain.exported.dir);
    const served = await browser.newPage();
    const servedProblems = watchConsole(served);
    await served.goto(`${address}match.htm`);
    const servedReading = await frameNamed(served, 'ReadingFrame');
    for (let i = 0; i < 50 && !/matchr\.htm$/.test(servedReading.url()); i++) await served.waitForTimeout(50);
    assert.match(servedReading.url(), /^http:.*matchr\.htm$/);
    const servedCode = await frameNamed(served, 'CodeFrame');
    await mouseDrag(served, 'Berlin', 'Germany', servedCode);
    assert.equal((await where(servedCode)).Berlin, 'Germany');
    assert.deepEqual(servedProblems, []);
    await served.close();
    server.closeAllConnections();
    server.close();
    await screenshot(plain.page, 'match-drag-reading-1280.png');
    await plain.page.setViewportSize({ width: 360, height: 740 });
    await plain.page.waitForTimeout(200);
    await screenshot(plain.page, 'match-drag-reading-360.png');
    await plain.page.close();

    const exported = exportMatching({ mode: 'dragdrop', reading: 'typed', timer: 1 });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.clock.install({ time: new Date('2024-01-01T10:00:00Z') });
    await page.goto(exported.url);
    const timed = await frameNamed(page, 'CodeFrame');
    assert.equal(page.frame({ name: 'ReadingFrame' }).url(), 'about:blank');
    await timed.getByRole('button', { name: matchTexts.editStartReading }).click();
    for (let i = 0; i < 50 && !/matchr\.htm$/.test(page.frame({ name: 'ReadingFrame' }).url()); i++) await page.waitForTimeout(50);
    assert.match(page.frame({ name: 'ReadingFrame' }).url(), /matchr\.htm$/);
    await page.clock.runFor(61000);
    assert.equal((await timed.locator('#ReadingStatus').innerText()).trim(), matchTexts.editTimesUp);
    assert.deepEqual([...plain.problems, ...problems], []);
    await page.close();
  });
});

describe('matching pages with the supplied configuration', () => {
  test('texts of english4.cfg in both pages', async () => {
    const config = join(repoRoot, 'resources', 'beside', 'english4.cfg');
    for (const mode of ['select', 'dragdrop']) {
      const exported = exportMatching({ mode, config });
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      assert.equal((await page.locator('.subtitle').innerText()).trim(), 'Matching exercise', mode);
      assert.match(await page.locator('.instructions').innerText(), /^Find the partner of each item on the left/, mode);
      if (mode === 'select') {
        await page.locator('input[type=button]').click();
        assert.equal((await page.locator('#Score').innerText()).trim(), 'Your score is: 0% (0 / 5)');
      } else {
        await mouseDrag(page, 'Lyon', 'France');
        await page.getByRole('button', { name: 'Check', exact: true }).click();
        assert.equal(await result(page), 'Not quite. The wrong matches have gone back to the list: try again! Your score is: 0%');
      }
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });
});
