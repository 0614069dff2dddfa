// The example quizzes exported with the supplied configuration english4.cfg,
// as a teacher would export them.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { exportMatching, exportQuiz, frameNamed, repoRoot, screenshot, startBrowser, watchConsole } from './helpers.mjs';

const config = join(repoRoot, 'resources', 'beside', 'english4.cfg');
const cafe = join(repoRoot, 'examples', 'francais-cafe.aky');

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

describe('example quiz with english4.cfg', () => {
  test('frames pages', async () => {
    const exported = exportQuiz({ quiz: cafe, config });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    assert.match(await code.locator('h1').innerText(), /Le caf\u00e9 et l'argent \u20ac/);
    await code.getByRole('textbox', { name: /Combien co\u00fbte un caf\u00e9 ici/ }).fill('2 \u20ac');
    await code.locator('#Q1').getByRole('button', { name: 'Check' }).click();
    const fb = await code.locator('#F1').innerText();
    assert.match(fb, /^Correct! Well done\./);
    assert.match(fb, /These answers are also correct: deux euros, 2 euros/);
    // The score has one place of its own, not a copy under each answer.
    assert.doesNotMatch(fb, /answered correctly/);
    assert.match(await code.locator('#Score').innerText(), /Questions answered correctly the first time: 1 \/ 6/);
    await code.fill('#G5', 'l\u2019addition');
    await code.press('#G5', 'Enter');
    assert.match(await code.locator('#F5').innerText(), /^Correct! Well done\./);
    await code.fill('#G6', '\u00e0 la terrase');
    await code.press('#G6', 'Enter');
    assert.match(await code.locator('#F6').innerText(), /This much of your answer is correct: \u00e0 la terras$/m);
    await screenshot(page, 'example-frames-1280.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page', async () => {
    const exported = exportQuiz({ mode: 'single', quiz: cafe, config });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    assert.match(await page.locator('#QText').innerText(), /Combien co\u00fbte/);
    await page.fill('#Guess', 'deux euros');
    await page.getByRole('button', { name: 'Check' }).click();
    assert.match(await page.locator('#PopupText').innerText(), /^Correct! Well done\./);
    const bg = await page.locator('#Popup').evaluate((e) => getComputedStyle(e).backgroundColor);
    assert.equal(bg, 'rgb(255, 255, 224)');
    await screenshot(page, 'example-single-1280.png');
    await page.getByRole('button', { name: 'OK' }).click();
    await page.setViewportSize({ width: 360, height: 740 });
    await screenshot(page, 'example-single-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('old-format examples', () => {
  test('are exported with their questions and pairs; a version too old and a damaged file are refused', () => {
    const quiz = exportQuiz({ quiz: join(repoRoot, 'examples', 'animals-oldformat.aky') });
    const code = readFileSync(join(quiz.dir, 'quizc.htm'), 'latin1');
    assert.match(code, /What is a young cat called\?/);
    assert.match(code, /kitten/);
    const match = exportMatching({ pry: join(repoRoot, 'examples', 'colours-oldformat.pry') });
    const page = readFileSync(match.root, 'latin1');
    assert.match(page, /<OPTION>rouge/);
    assert.match(page, /Colours in French/);

    const tooOld = join(mkdtempSync(join(tmpdir(), 'tavrel-old-')), 'old.aky');
    writeFileSync(tooOld, '[FileInfo]\r\nVersion=1\r\n\r\n[Question1]\r\nQuestion=Q\r\nAnswer1=a\r\n');
    assert.throws(() => exportQuiz({ quiz: tooOld }), /not supported by this version of Askery/);
    assert.throws(() => exportMatching({ pry: tooOld }), /not supported by this version of Pairo/);
    const cut = join(mkdtempSync(join(tmpdir(), 'tavrel-cut-')), 'cut.pry');
    writeFileSync(cut, '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n<tavrel-pairo-file>\r\n<version>6</version>\r\n<data>\r\n<pair><left-item><te');
    assert.throws(() => exportQuiz({ quiz: cut }), /cut\.pry is damaged or incomplete/);
    assert.throws(() => exportMatching({ pry: cut }), /cut\.pry is damaged or incomplete/);
  });
});
