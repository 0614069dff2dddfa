// The single-page version of the quiz: one question at a time.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportQuiz, frameNamed, screenshot, startBrowser, texts, watchConsole } from './helpers.mjs';

const questions = [
  'What is the capital of France?',
  'Name a primary colour.',
  'Which city is called the Big Apple?',
  'How do you say coffee in French?',
  'Two coffees at 2.50',
  'Complete the saying',
  'Type the closing tag',
];

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function openPage(options = {}, randomValues = null) {
  const exported = exportQuiz({ mode: 'single', ...options });
  const page = await browser.newPage();
  const problems = watchConsole(page);
  if (randomValues) {
    await page.addInitScript((values) => {
      let i = 0;
      window.TavrelRandom = () => values[i++ % values.length];
    }, randomValues);
  }
  await page.goto(exported.url);
  return { page, problems, exported };
}

async function questionOrder(page) {
  const seen = [];
  for (let i = 0; i < questions.length; i++) {
    const text = await page.locator('#QText').innerText();
    seen.push(questions.findIndex((q) => text.startsWith(q)));
    if (i < questions.length - 1) await page.getByRole('button', { name: 'Next question' }).click();
  }
  return seen;
}

async function check(page, guess) {
  await page.fill('#Guess', guess);
  await page.getByRole('button', { name: texts.editCheck, exact: true }).click();
  const dialog = page.getByRole('dialog');
  await dialog.waitFor();
  const text = (await page.locator('#PopupText').innerText()).trim();
  await page.getByRole('button', { name: texts.editOKCaption, exact: true }).click();
  await dialog.waitFor({ state: 'hidden' });
  return text;
}

describe('single page', () => {
  test('next and previous go through every question in list order without shuffling', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0 } });
    assert.deepEqual(await questionOrder(page), [0, 1, 2, 3, 4, 5, 6]);
    assert.equal((await page.locator('#QHead').innerText()).trim(), '7 / 7');
    await page.getByRole('button', { name: 'Previous question' }).click();
    assert.equal((await page.locator('#QHead').innerText()).trim(), '6 / 7');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('shuffled order follows the page\'s random source', async () => {
    // Fisher-Yates from the end with these numbers: j = floor(r * (i + 1)).
    const values = [0, 0, 0, 0, 0, 0];
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 1 } }, values);
    // Always swapping with the first element rotates the list by one.
    assert.deepEqual(await questionOrder(page), [1, 2, 3, 4, 5, 6, 0]);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('feedback in a dialog with the OK caption, focus back where it was', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0, chkContinuousScoring: 1 } });
    assert.equal(await check(page, ''), texts.editPleaseEnter);
    assert.equal(await check(page, 'Rome'), texts.editGuessIncorrect);
    await page.fill('#Guess', 'Pa');
    await page.press('#Guess', 'Enter');
    assert.match(await page.locator('#PopupText').innerText(), /This much is correct: Pa/);
    assert.ok(await page.evaluate(() => document.activeElement.id === 'PopupOK'));
    await page.keyboard.press('Enter');
    await page.getByRole('dialog').waitFor({ state: 'hidden' });
    assert.ok(await page.evaluate(() => document.activeElement.id === 'Guess'), 'focus back in the box');
    const right = await check(page, 'paris');
    assert.match(right, /^Correct!/);
    assert.match(right, /first time: 0 \/ 7/);
    const bg = await page.locator('#Popup').evaluate((e) => getComputedStyle(e).backgroundColor);
    assert.equal(bg, 'rgb(255, 255, 255)');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('hint, show answer, accented answers and scoring', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0, chkContinuousScoring: 0 } });
    await page.getByRole('button', { name: texts.editHint }).click();
    assert.equal(await page.inputValue('#Guess'), 'P');
    await page.getByRole('button', { name: texts.editOKCaption, exact: true }).click();
    const guesses = ['Paris', 'yellow', 'new york city', 'CAF\u00c9', '5 \u20ac', 'life', '</script>'];
    let last = '';
    for (let i = 0; i < guesses.length; i++) {
      last = await check(page, guesses[i]);
      assert.match(last, /^Correct!/, `question ${i + 1}`);
      if (i < guesses.length - 1) {
        assert.doesNotMatch(last, /Your score/);
        await page.getByRole('button', { name: 'Next question' }).click();
      }
    }
    assert.match(last, /first time: 6 \/ 7/);
    assert.match(last, /Your score is: 86%/);
    await page.getByRole('button', { name: texts.editShow }).click();
    assert.match(await page.locator('#PopupText').innerText(), /Correct answers: <\/script>/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('with a reading both frames load', async () => {
    const { page, problems, exported } = await openPage({ reading: 'typed', switches: { chkShuffleQs: 0 } });
    assert.deepEqual(exported.written.map((p) => p.split('/').pop()), ['quizr.htm', 'quizc.htm', 'quiz.htm']);
    const reading = await frameNamed(page, 'ReadingFrame');
    const code = await frameNamed(page, 'CodeFrame');
    assert.match(await reading.locator('h1').innerText(), /A short reading about caf\u00e9s/);
    assert.match(await reading.locator('body').innerText(), /2\.50 \u20ac/);
    assert.match(await code.locator('#QText').innerText(), /capital of France/);
    await screenshot(page, 'single-reading-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    await screenshot(page, 'single-reading-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('screenshots at desktop and phone width', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0 } });
    await screenshot(page, 'single-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.fill('#Guess', 'Lyon');
    await page.press('#Guess', 'Enter');
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth + 1);
    assert.equal(overflow, false, 'no sideways scrolling');
    await screenshot(page, 'single-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
