// The select-list page of a matching exercise: a select list beside every
// left item, marks and one score after Check, and the reading beside it.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import {
  exportMatching, frameNamed, matchTexts, screenshot, serveFolder, startBrowser, templatesDir, watchConsole, writeMatchFile,
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

async function open(exported) {
  const page = await browser.newPage();
  const problems = watchConsole(page);
  await page.goto(exported.url);
  return { page, problems };
}
const list = (frame, left) => frame.getByRole('combobox', { name: left, exact: true });
const check = (frame) => frame.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
const score = async (frame) => (await frame.locator('#Score').innerText()).trim();
// The mark of a row: its class and what it says.
const mark = (frame, left) => list(frame, left).evaluate((s) => {
  const m = s.closest('.pair').querySelector('.mark');
  return { kind: m.className.replace('mark', '').trim(), text: m.textContent, invalid: s.getAttribute('aria-invalid') };
});

describe('select-list page', () => {
  test('all right: every list named by its left item, letters as written, full score', async () => {
    const exported = exportMatching();
    assert.deepEqual(exported.written.map((p) => basename(p)), ['match.htm']);
    const { page, problems } = await open(exported);
    const options = await list(page, 'Greece').locator('option').evaluateAll((os) => os.map((o) => o.textContent.trim()));
    assert.equal(options[0], '???');
    assert.deepEqual(options.slice(1).sort(), [...Object.values(capitals), 'Lyon'].sort());
    for (const [left, right] of Object.entries(capitals)) await list(page, left).selectOption({ label: right });
    // The fixed pair shows its right item and has no list.
    const fixed = page.locator('.pair.fixed');
    assert.equal((await fixed.innerText()).replace(/\s+/g, ' ').trim(), 'Austria Vienna');
    assert.equal(await fixed.locator('select').count(), 0);
    await check(page);
    for (const left of Object.keys(capitals)) {
      assert.deepEqual(await mark(page, left), { kind: 'right', text: '\u2713:-)right', invalid: 'false' }, left);
    }
    assert.equal(await score(page), 'Your score is: 100% (5 / 5)');
    assert.equal(await page.locator('.score').count(), 1, 'one score on the page');
    await screenshot(page, 'match-select-right-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(100);
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth > innerWidth + 1), false, 'no sideways scrolling');
    const small = await page.evaluate(() => [...document.querySelectorAll('select, input[type=button], button')]
      .map((e) => e.getBoundingClientRect()).filter((r) => r.height < 24 || r.width < 24).length);
    assert.equal(small, 0, 'every target at least 24 pixels');
    await screenshot(page, 'match-select-right-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('some wrong: marks by symbol and text, the score counts the right ones, a changed list loses its mark', async () => {
    // Indicators as the editor keeps them: a character reference and a
    // Windows-1252 letter.
    const { page, problems } = await open(exportMatching({
      texts: { editCorrectIndicator: '&#10003;', editIncorrectIndicator: '\u00d7' },
    }));
    await list(page, 'France').selectOption({ label: 'Paris' });
    await list(page, 'Germany').selectOption({ label: 'Lyon' });
    await list(page, 'Poland').selectOption({ label: 'Warszawa' });
    await list(page, 'Iceland').selectOption({ label: 'Reykjav\u00edk' });
    await check(page);
    assert.deepEqual(await mark(page, 'France'), { kind: 'right', text: '\u2713\u2713right', invalid: 'false' });
    assert.deepEqual(await mark(page, 'Germany'), { kind: 'wrong', text: '\u2717\u00d7wrong', invalid: 'true' });
    assert.deepEqual(await mark(page, 'Greece'), { kind: 'wrong', text: '\u2717\u00d7wrong', invalid: 'true' }, 'not chosen is wrong');
    assert.equal(await score(page), 'Your score is: 60% (3 / 5)');
    await list(page, 'Germany').selectOption({ label: 'Berlin' });
    assert.deepEqual(await mark(page, 'Germany'), { kind: '', text: '', invalid: null });
    assert.equal(await score(page), 'Your score is: 60% (3 / 5)', 'the score changes only at a check');
    await check(page);
    assert.equal(await score(page), 'Your score is: 80% (4 / 5)');
    await page.setViewportSize({ width: 360, height: 740 });
    await list(page, 'Greece').scrollIntoViewIfNeeded();
    await screenshot(page, 'match-select-wrong-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('a row with nothing to match is not scored; with nothing scored the score is whole', async () => {
    const pry = writeMatchFile([['One', '1'], ['Blank', ''], ['Two', '2'], ['', 'three']]);
    const { page, problems } = await open(exportMatching({ pry }));
    await list(page, 'One').selectOption({ label: '1' });
    await list(page, 'Two').selectOption({ label: '2' });
    await list(page, 'Blank').selectOption({ label: 'three' });
    await check(page);
    assert.equal((await mark(page, 'Two')).kind, 'right', 'the row after the blank one keeps its own answer');
    assert.deepEqual(await mark(page, 'Blank'), { kind: '', text: '', invalid: null });
    assert.equal(await score(page), 'Your score is: 100% (2 / 2)');
    await page.close();

    const allFixed = writeMatchFile([['One', '1', true], ['', 'x'], ['', 'y']]);
    const second = await open(exportMatching({ pry: allFixed }));
    await check(second.page);
    assert.equal(await score(second.page), 'Your score is: 100%');
    assert.deepEqual([...problems, ...second.problems], []);
    await second.page.close();
  });

  test('with a timed reading: the reading shows only after Start reading, for its time', async () => {
    const exported = exportMatching({ reading: 'typed', timer: 1 });
    assert.deepEqual(exported.written.map((p) => basename(p)).sort(), ['match.htm', 'matchc.htm', 'matchr.htm']);
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.clock.install({ time: new Date('2024-01-01T10:00:00Z') });
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    assert.equal(page.frame({ name: 'ReadingFrame' }).url(), 'about:blank');
    await code.getByRole('button', { name: matchTexts.editStartReading }).click();
    await waitForFrameUrl(page, /matchr\.htm$/);
    assert.match(await page.frame({ name: 'ReadingFrame' }).locator('h1').innerText(), /Capitals of Europe/);
    assert.equal((await code.locator('#TimeLeft').innerText()).trim(), 'Remaining time: 1:00');
    await screenshot(page, 'match-select-reading-1280.png');
    await page.clock.runFor(61000);
    await waitForFrameUrl(page, /^about:blank$/);
    assert.equal((await code.locator('#ReadingStatus').innerText()).trim(), matchTexts.editTimesUp);
    await code.getByRole('button', { name: matchTexts.editShowReadingAgain }).click();
    await waitForFrameUrl(page, /matchr\.htm$/);
    // Answering still works in the frame.
    await list(code, 'France').selectOption({ label: 'Paris' });
    await check(code);
    assert.equal(await score(code), 'Your score is: 20% (1 / 5)');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    await screenshot(page, 'match-select-reading-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('an untimed reading shows at once and the page has no timer; the pages work over http', async () => {
    const exported = exportMatching({ reading: 'typed', timer: 0, switches: { chkIncludeNextEx: 1 } });
    writeFileSync(join(exported.dir, 'next.htm'), '<!DOCTYPE html><title>Next</title>');
    const { server, address } = await serveFolder(exported.dir);
    for (const url of [exported.url, `${address}match.htm`]) {
      const { page, problems } = await open({ url });
      const reading = await frameNamed(page, 'ReadingFrame');
      assert.match(await reading.locator('body').innerText(), /Vienna lies on the Danube/, url);
      const code = await frameNamed(page, 'CodeFrame');
      assert.equal(await code.locator('#ReadingBar').count(), 0, 'no timer controls');
      await list(code, 'Iceland').selectOption({ label: 'Reykjav\u00edk' });
      await check(code);
      assert.equal((await mark(code, 'Iceland')).kind, 'right', url);
      // The buttons go on and step back through the frameset without
      // reaching into it.
      await code.getByRole('button', { name: matchTexts.editNextEx }).click();
      await page.waitForURL(/next\.htm$/);
      assert.equal(await page.title(), 'Next', url);
      await page.goBack();
      const again = await frameNamed(page, 'CodeFrame');
      await again.getByRole('button', { name: matchTexts.editBack }).click();
      await page.waitForURL('about:blank');
      assert.deepEqual(problems, [], url);
      await page.close();
    }
    server.closeAllConnections();
    server.close();
  });
});

async function waitForFrameUrl(page, pattern) {
  for (let i = 0; i < 100; i++) {
    const f = page.frame({ name: 'ReadingFrame' });
    if (f && pattern.test(f.url())) return f;
    await page.waitForTimeout(50);
  }
  throw new Error(`the reading frame never showed ${pattern}`);
}

describe('matching templates', () => {
  test('pure ASCII, other frames only navigated or sent messages, dragging by Pointer Events', () => {
    for (const name of ['pairo.ht_', 'pairoc.ht_', 'dpairo.ht_']) {
      const text = readFileSync(join(templatesDir, name), 'latin1');
      assert.ok(/^[\x09\x0a\x0d\x20-\x7e]*$/.test(text), `${name} is not pure ASCII`);
      const reaching = text.match(/\b(?:parent|top|opener)\.(?!ReadingFrame\.location\.replace\(|location\b|postMessage\()[\w$]+|contentWindow\.(?!postMessage\()|contentDocument/g);
      assert.equal(reaching, null, name);
    }
    // Dragging by Pointer Events, which phones have, not the HTML5 API.
    const drag = readFileSync(join(templatesDir, 'dpairo.ht_'), 'latin1');
    assert.doesNotMatch(drag, /draggable|dataTransfer|'drop'|'dragover'/);
    assert.match(drag, /'pointermove'/);
  });
});
